#include "app/pages/PublisherPage.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/dialogs/PersonDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "data/model/MediaItem.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

using namespace PageSupport;

CPublisherPage::CPublisherPage(CVemoLibraryDoc* doc, QWidget* parent)
    : CItemPage(doc, parent)
    , m_publisher(new QComboBox(this))
    , m_new(new QPushButton("&New Publisher...", this))
    , m_address(new QPlainTextEdit(this))
    , m_phone(new QLineEdit(this))
    , m_email(new QLineEdit(this))
    , m_web(new QLineEdit(this))
    , m_open(new QPushButton("Open", this))
{
    m_publisher->setMinimumContentsLength(28);
    m_publisher->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_address->setTabChangesFocus(true);
    m_address->setFixedHeight(m_address->fontMetrics().lineSpacing() * 3 + 12);
    m_address->installEventFilter(this);
    m_open->setToolTip("Open the web address in the browser");
    for (QLineEdit* edit : { m_phone, m_email, m_web })
        connect(edit, &QLineEdit::editingFinished, this, &CPublisherPage::StoreDetails);
    connect(m_publisher, &QComboBox::activated, this,
        [this](int index) { ChoosePublisher(m_publisher->itemData(index).toInt()); });
    connect(m_new, &QPushButton::clicked, this, &CPublisherPage::NewPublisher);
    connect(m_open, &QPushButton::clicked, this, [this] {
        QString reason;
        if (!m_web->text().trimmed().isEmpty() && !CBrowserLauncher::Open(m_web->text().trimmed(), reason))
            CMessageBox::Warn(this, "Open Web Address", reason);
    });

    auto* chooser = new QHBoxLayout;
    chooser->addWidget(m_publisher, 1);
    chooser->addWidget(m_new);
    auto* web = new QHBoxLayout;
    web->addWidget(m_web, 1);
    web->addWidget(m_open);
    auto* publisherLabel = new QLabel("Na&me:", this);
    publisherLabel->setBuddy(m_publisher);
    auto* webLabel = new QLabel("&Web address:", this);
    webLabel->setBuddy(m_web);
    auto* form = new QFormLayout;
    form->addRow(publisherLabel, chooser);
    form->addRow("A&ddress:", m_address);
    form->addRow("P&hone:", m_phone);
    form->addRow("E-mai&l:", m_email);
    form->addRow(webLabel, web);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    m_publisher->setAccessibleName("Publisher");
    m_address->setAccessibleName("Address");
    m_phone->setAccessibleName("Phone");
    m_email->setAccessibleName("E-mail");
    m_web->setAccessibleName("Web address");

    FillPublishers();
    SetItem(nullptr);
}

CPerson* CPublisherPage::Publisher() const
{
    const CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    return m_item && publishers ? publishers->GetPublisher(m_item->GetPublisherID()) : nullptr;
}

void CPublisherPage::SetItem(CMediaItem* item)
{
    TakeOver();
    m_item = item && item->UsesPublisher() ? item : nullptr;
    setEnabled(m_item != nullptr);
    ShowDetails();
}

void CPublisherPage::TakeOver()
{
    StoreDetails();
}

void CPublisherPage::OnUpdate(int hint)
{
    if (hint == CVemoLibraryDoc::HintSharedData || hint == CVemoLibraryDoc::HintNewLibrary) {
        FillPublishers();
        ShowDetails();
    }
}

bool CPublisherPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_address && event->type() == QEvent::FocusOut)
        StoreDetails();
    return CItemPage::eventFilter(watched, event);
}

void CPublisherPage::FillPublishers()
{
    QList<QPair<QString, int>> entries;
    if (const CPublisherMgr* publishers = CPublisherMgr::GetInstance()) {
        for (POSITION pos = publishers->GetHeadPosition(); pos;) {
            const CPerson* publisher = publishers->GetNext(pos);
            entries.append({ Q(publisher->GetLastName()), publisher->GetUniqueID() });
        }
    }
    m_showing = true;
    FillChooser(m_publisher, entries);
    m_showing = false;
}

void CPublisherPage::ShowDetails()
{
    const CPerson* publisher = Publisher();
    m_showing = true;
    m_publisher->setCurrentIndex(std::max(m_publisher->findData(publisher ? publisher->GetUniqueID() : 0), 0));
    m_address->setPlainText(publisher ? Q(publisher->GetAddress()) : QString());
    m_phone->setText(publisher ? Q(publisher->GetWorkPhone()) : QString());
    m_email->setText(publisher ? Q(publisher->GetEmail()) : QString());
    m_web->setText(publisher ? Q(publisher->GetURL()) : QString());
    for (QWidget* detail : std::initializer_list<QWidget*> { m_address, m_phone, m_email, m_web, m_open })
        detail->setEnabled(publisher != nullptr);
    m_showing = false;
}

void CPublisherPage::StoreDetails()
{
    CPerson* publisher = Publisher();
    if (m_showing || !publisher)
        return;
    const CString address = CText(m_address->toPlainText().trimmed());
    const CString phone = CText(m_phone->text().trimmed());
    const CString email = CText(m_email->text().trimmed());
    const CString web = CText(m_web->text().trimmed());
    if (address == publisher->GetAddress() && phone == publisher->GetWorkPhone() && email == publisher->GetEmail()
        && web == publisher->GetURL())
        return;
    publisher->SetAddress(address);
    publisher->SetWorkPhone(phone);
    publisher->SetEmail(email);
    publisher->SetURL(web);
    if (CVemoLibraryDoc* doc = GetDocument()) {
        // Every item of this publisher shows the new details.
        doc->MarkItemModified(nullptr);
        doc->SharedDataChanged();
    }
}

bool CPublisherPage::ChoosePublisher(int publisherID)
{
    if (!m_item || m_showing)
        return false;
    TakeOver();
    const CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    if (publisherID != 0 && (!publishers || !publishers->GetPublisher(publisherID)))
        return false;
    if (publisherID != m_item->GetPublisherID()) {
        m_item->SetPublisherID(publisherID);
        if (CVemoLibraryDoc* doc = GetDocument())
            doc->MarkItemModified(m_item);
        emit ItemChanged();
    }
    ShowDetails();
    return true;
}

bool CPublisherPage::NewPublisher()
{
    if (!m_item)
        return false;
    CPublisherDlg dlg(
        CPerson(), true,
        [](const CPerson& record) {
            return CStringUtils::IsEffectivelyEmpty(record.GetLastName()) ? QString("A publisher needs a name.")
                                                                          : QString();
        },
        this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return AddPublisher(std::make_unique<CPerson>(dlg.GetRecord())) > 0;
}

int CPublisherPage::AddPublisher(std::unique_ptr<CPerson> publisher)
{
    CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    if (!m_item || !publishers || !publisher || publisher->GetLastName().empty())
        return 0;
    int id = 0;
    if (publishers->Add(publisher.get())) {
        id = publisher.release()->GetUniqueID();
        if (CVemoLibraryDoc* doc = GetDocument()) {
            doc->SharedDataChanged();
            id = doc->PublisherIDNow(id);
        }
    } else {
        for (POSITION pos = publishers->GetHeadPosition(); pos && id == 0;) {
            const CPerson* known = publishers->GetNext(pos);
            if (*known == *publisher)
                id = known->GetUniqueID();
        }
    }
    FillPublishers();
    ChoosePublisher(id);
    return id;
}
