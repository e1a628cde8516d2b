#include "app/pages/PersonDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/pages/PageSupport.h"
#include "platform/util/Person.h"

using namespace PageSupport;

CPersonDlg::CPersonDlg(Kind kind, QWidget* parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_last(new QLineEdit(this))
    , m_address(new QPlainTextEdit(this))
    , m_phone(new QLineEdit(this))
    , m_email(new QLineEdit(this))
{
    auto* form = new QFormLayout;
    if (kind == Borrower) {
        setWindowTitle("New Borrower");
        m_first = new QLineEdit(this);
        m_middle = new QLineEdit(this);
        form->addRow("&First name:", m_first);
        form->addRow("&Middle name:", m_middle);
        form->addRow("&Last name:", m_last);
    } else {
        setWindowTitle("New Publisher");
        form->addRow("&Name:", m_last);
    }
    m_address->setTabChangesFocus(true);
    m_address->setFixedHeight(m_address->fontMetrics().lineSpacing() * 3 + 12);
    form->addRow("&Address:", m_address);
    form->addRow("&Phone:", m_phone);
    form->addRow("&E-mail:", m_email);
    if (kind == Publisher) {
        m_web = new QLineEdit(this);
        form->addRow("&Web address:", m_web);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPersonDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(380, sizeHint().height());
}

void CPersonDlg::accept()
{
    const bool named = (m_first && !m_first->text().trimmed().isEmpty()) || !m_last->text().trimmed().isEmpty();
    if (!named) {
        CMessageBox::Warn(this, windowTitle(),
            m_kind == Borrower ? "Please enter the borrower's name." : "Please enter the publisher's name.");
        (m_first ? m_first : m_last)->setFocus();
        return;
    }
    QDialog::accept();
}

std::unique_ptr<CPerson> CPersonDlg::TakePerson() const
{
    auto person = std::make_unique<CPerson>();
    if (m_first) {
        person->SetFirstName(CText(m_first->text().trimmed()));
        person->SetMiddleName(CText(m_middle->text().trimmed()));
    }
    person->SetLastName(CText(m_last->text().trimmed()));
    person->SetAddress(CText(m_address->toPlainText().trimmed()));
    // A publisher's number is a business line.
    if (m_kind == Borrower)
        person->SetHomePhone(CText(m_phone->text().trimmed()));
    else
        person->SetWorkPhone(CText(m_phone->text().trimmed()));
    person->SetEmail(CText(m_email->text().trimmed()));
    if (m_web)
        person->SetURL(CText(m_web->text().trimmed()));
    return person;
}
