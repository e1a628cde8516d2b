#include "app/dialogs/MagazineDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Person.h"

CMagazineDlg::CMagazineDlg(const CMagazine& title, bool isNew, Check check, QWidget* parent)
    : QDialog(parent)
    , m_title(title)
    , m_check(std::move(check))
    , m_name(new QLineEdit(Q(title.GetName()), this))
    , m_publisher(new QComboBox(this))
    , m_subscription(new QCheckBox("I &subscribe to this magazine", this))
    , m_number(new QLineEdit(Q(title.GetSubscriptionNumber()), this))
    , m_expiration(new QLineEdit(Q(title.GetSubscriptionExp()), this))
    , m_cost(new QDoubleSpinBox(this))
{
    setWindowTitle(isNew ? "New Magazine Title" : "Magazine Title");
    m_publisher->addItem("(none)", 0);
    if (const CPublisherMgr* publishers = CPublisherMgr::GetInstance())
        for (POSITION pos = publishers->GetHeadPosition(); pos;)
            if (const CPerson* publisher = publishers->GetNext(pos))
                m_publisher->addItem(Q(publisher->GetLastName()), publisher->GetUniqueID());
    const int publisher = m_publisher->findData(title.GetPublisherID());
    m_publisher->setCurrentIndex(std::max(publisher, 0));
    m_subscription->setChecked(title.GetSubscription());
    m_cost->setRange(0.0, 99999.99);
    m_cost->setDecimals(2);
    m_cost->setValue(title.GetSubscriptionCost());
    m_expiration->setPlaceholderText("for example 2027-06");

    auto* form = new QFormLayout;
    form->addRow("&Title:", m_name);
    form->addRow("&Publisher:", m_publisher);
    form->addRow(QString(), m_subscription);
    form->addRow("Subscription &number:", m_number);
    form->addRow("&Expires:", m_expiration);
    form->addRow("&Cost:", m_cost);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMagazineDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_subscription, &QCheckBox::toggled, this, &CMagazineDlg::UpdateSubscription);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, 0);
    UpdateSubscription();
    m_name->setFocus();
}

void CMagazineDlg::UpdateSubscription()
{
    for (QWidget* field :
        { static_cast<QWidget*>(m_number), static_cast<QWidget*>(m_expiration), static_cast<QWidget*>(m_cost) })
        field->setEnabled(m_subscription->isChecked());
}

CMagazine CMagazineDlg::GetTitle() const
{
    CMagazine title = m_title;
    title.SetName(m_name->text().trimmed().toStdString());
    title.SetPublisherID(m_publisher->currentData().toInt());
    title.SetSubscription(m_subscription->isChecked());
    title.SetSubscriptionNumber(m_number->text().trimmed().toStdString());
    title.SetSubscriptionExp(m_expiration->text().trimmed().toStdString());
    title.SetSubscriptionCost(m_cost->value());
    return title;
}

void CMagazineDlg::accept()
{
    const QString problem = m_check ? m_check(GetTitle()) : QString();
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, windowTitle(), problem);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
