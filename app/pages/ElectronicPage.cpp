#include "app/pages/ElectronicPage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "data/model/Book.h"

using namespace PageSupport;

CElectronicPage::CElectronicPage(CVemoLibraryDoc* doc, QWidget* parent)
    : CItemPage(doc, parent)
    , m_location(new QLineEdit(this))
    , m_browse(new QPushButton("Bro&wse...", this))
    , m_open(new QPushButton("O&pen", this))
{
    m_location->setAccessibleName("Electronic File or URL");
    m_location->setPlaceholderText("A file on this computer, or a web address");
    connect(m_location, &QLineEdit::editingFinished, this, &CElectronicPage::TakeOver);
    connect(m_browse, &QPushButton::clicked, this, &CElectronicPage::Browse);
    connect(m_open, &QPushButton::clicked, this, &CElectronicPage::Open);
    auto* label = new QLabel("E&lectronic file or URL:", this);
    label->setBuddy(m_location);
    auto* row = new QHBoxLayout;
    row->addWidget(m_location, 1);
    row->addWidget(m_browse);
    row->addWidget(m_open);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addStretch();
    SetItem(nullptr);
}

void CElectronicPage::SetItem(CMediaItem* item)
{
    TakeOver();
    m_book = dynamic_cast<CBook*>(item);
    setEnabled(m_book != nullptr);
    m_location->setText(m_book ? Q(m_book->GetEFileURL()) : QString());
}

void CElectronicPage::TakeOver()
{
    const CString text = CText(m_location->text().trimmed());
    if (!m_book || text == m_book->GetEFileURL())
        return;
    m_book->SetEFileURL(text);
    if (CVemoLibraryDoc* doc = GetDocument())
        doc->MarkItemModified(m_book);
    emit ItemChanged();
}

QString CElectronicPage::GetOpenTarget() const
{
    const QString text = m_location->text().trimmed();
    if (text.isEmpty())
        return QString();
    if (text.startsWith("www.", Qt::CaseInsensitive))
        return "http://" + text;
    // "scheme:" of two letters or more is an address; "C:" and paths are files.
    const QUrl url(text);
    if (url.scheme().size() > 1 && !url.isLocalFile())
        return text;
    return QUrl::fromLocalFile(QFileInfo(url.isLocalFile() ? url.toLocalFile() : text).absoluteFilePath()).toString();
}

void CElectronicPage::Browse()
{
    const QString start = QFileInfo(m_location->text().trimmed()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, "Choose Electronic Book", start);
    if (path.isEmpty())
        return;
    m_location->setText(path);
    TakeOver();
}

void CElectronicPage::Open()
{
    TakeOver();
    const QString target = GetOpenTarget();
    QString reason;
    if (!target.isEmpty() && !CBrowserLauncher::Open(target, reason))
        CMessageBox::Warn(this, "Open Electronic Book", reason);
}
