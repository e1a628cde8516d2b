#include "app/dialogs/PersonDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"

namespace {

CString S(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
}

CString S(const QPlainTextEdit* edit)
{
    return edit->toPlainText().trimmed().toStdString();
}

} // namespace

CPersonRecordDlg::CPersonRecordDlg(const CPerson& record, Check check, QWidget* parent)
    : QDialog(parent)
    , m_record(record)
    , m_check(std::move(check))
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(new QFormLayout);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPersonRecordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* CPersonRecordDlg::AddLine(const QString& text)
{
    auto* edit = new QLineEdit(this);
    static_cast<QFormLayout*>(layout()->itemAt(0)->layout())->addRow(text, edit);
    return edit;
}

QPlainTextEdit* CPersonRecordDlg::AddText(const QString& text)
{
    auto* edit = new QPlainTextEdit(this);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 12);
    static_cast<QFormLayout*>(layout()->itemAt(0)->layout())->addRow(text, edit);
    return edit;
}

void CPersonRecordDlg::accept()
{
    const QString problem = m_check ? m_check(GetRecord()) : QString();
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, windowTitle(), problem);
        return;
    }
    QDialog::accept();
}

CPersonDlg::CPersonDlg(const CPerson& person, bool isNew, Check check, QWidget* parent)
    : CPersonRecordDlg(person, std::move(check), parent)
    , m_first(AddLine("&First name:"))
    , m_middle(AddLine("&Middle name:"))
    , m_last(AddLine("&Last name:"))
    , m_home(AddLine("&Home phone:"))
    , m_work(AddLine("&Work phone:"))
    , m_mobile(AddLine("M&obile phone:"))
    , m_email(AddLine("&E-mail:"))
    , m_url(AddLine("Web &address:"))
    , m_address(AddText("&Postal address:"))
    , m_notes(AddText("&Notes:"))
{
    setWindowTitle(isNew ? "New Person" : "Person");
    m_first->setText(Q(person.GetFirstName()));
    m_middle->setText(Q(person.GetMiddleName()));
    m_last->setText(Q(person.GetLastName()));
    m_home->setText(Q(person.GetHomePhone()));
    m_work->setText(Q(person.GetWorkPhone()));
    m_mobile->setText(Q(person.GetMobilePhone()));
    m_email->setText(Q(person.GetEmail()));
    m_url->setText(Q(person.GetURL()));
    m_address->setPlainText(Q(person.GetAddress()));
    m_notes->setPlainText(Q(person.GetNotes()));
    resize(420, 0);
    m_first->setFocus();
}

CPerson CPersonDlg::GetRecord() const
{
    CPerson person = m_record;
    person.SetFirstName(S(m_first));
    person.SetMiddleName(S(m_middle));
    person.SetLastName(S(m_last));
    person.SetHomePhone(S(m_home));
    person.SetWorkPhone(S(m_work));
    person.SetMobilePhone(S(m_mobile));
    person.SetEmail(S(m_email));
    person.SetURL(S(m_url));
    person.SetAddress(S(m_address));
    person.SetNotes(S(m_notes));
    return person;
}

CPublisherDlg::CPublisherDlg(const CPerson& publisher, bool isNew, Check check, QWidget* parent)
    : CPersonRecordDlg(publisher, std::move(check), parent)
    , m_name(AddLine("&Name:"))
    , m_phone(AddLine("&Phone:"))
    , m_email(AddLine("&E-mail:"))
    , m_url(AddLine("&Web address:"))
    , m_address(AddText("&Address:"))
{
    setWindowTitle(isNew ? "New Publisher" : "Publisher");
    m_name->setText(Q(publisher.GetLastName()));
    m_phone->setText(Q(publisher.GetWorkPhone()));
    m_email->setText(Q(publisher.GetEmail()));
    m_url->setText(Q(publisher.GetURL()));
    m_address->setPlainText(Q(publisher.GetAddress()));
    resize(420, 0);
    m_name->setFocus();
}

CPerson CPublisherDlg::GetRecord() const
{
    CPerson publisher = m_record;
    publisher.SetLastName(S(m_name));
    publisher.SetWorkPhone(S(m_phone));
    publisher.SetEmail(S(m_email));
    publisher.SetURL(S(m_url));
    publisher.SetAddress(S(m_address));
    return publisher;
}
