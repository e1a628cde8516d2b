#pragma once
// Adds a person on the spot: a borrower (first, middle and last name,
// address, phone, e-mail) or a publisher (name, address, phone, e-mail, web
// address). OK needs a name.

#include <QDialog>
#include <memory>

class CPerson;
class QLineEdit;
class QPlainTextEdit;

class CPersonDlg : public QDialog {
    Q_OBJECT

public:
    enum Kind { Borrower, Publisher };

    explicit CPersonDlg(Kind kind, QWidget* parent = nullptr);

    // The person as entered; the caller owns it.
    std::unique_ptr<CPerson> TakePerson() const;

    QLineEdit* FirstNameEdit() const { return m_first; }
    QLineEdit* LastNameEdit() const { return m_last; }
    QPlainTextEdit* AddressEdit() const { return m_address; }
    QLineEdit* PhoneEdit() const { return m_phone; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* WebEdit() const { return m_web; }

public slots:
    void accept() override;

private:
    Kind m_kind;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_middle = nullptr;
    QLineEdit* m_last;
    QPlainTextEdit* m_address;
    QLineEdit* m_phone;
    QLineEdit* m_email;
    QLineEdit* m_web = nullptr;
};
