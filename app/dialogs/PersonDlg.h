#pragma once
// One person record: a borrower (CPersonDlg, the three name parts, phones,
// e-mail, web address, postal address, notes) or a publisher (CPublisherDlg,
// the name kept in the last-name part, with its address, phone, e-mail and
// web address). Both refuse OK while check finds a problem.

#include <QDialog>
#include <functional>

#include "platform/util/Person.h"

class QLineEdit;
class QPlainTextEdit;

class CPersonRecordDlg : public QDialog {
    Q_OBJECT

public:
    // check: "" when the record may be kept, else the reason.
    using Check = std::function<QString(const CPerson& record)>;

    virtual CPerson GetRecord() const = 0;
    void accept() override;

protected:
    CPersonRecordDlg(const CPerson& record, Check check, QWidget* parent);
    QLineEdit* AddLine(const QString& text);
    QPlainTextEdit* AddText(const QString& text);

    CPerson m_record;
    Check m_check;
};

class CPersonDlg : public CPersonRecordDlg {
    Q_OBJECT

public:
    CPersonDlg(const CPerson& person, bool isNew, Check check = {}, QWidget* parent = nullptr);
    CPerson GetRecord() const override;

    QLineEdit* GetFirstNameEdit() const { return m_first; }
    QLineEdit* GetMiddleNameEdit() const { return m_middle; }
    QLineEdit* GetLastNameEdit() const { return m_last; }
    QLineEdit* GetHomePhoneEdit() const { return m_home; }
    QLineEdit* GetEmailEdit() const { return m_email; }

private:
    QLineEdit* m_first;
    QLineEdit* m_middle;
    QLineEdit* m_last;
    QLineEdit* m_home;
    QLineEdit* m_work;
    QLineEdit* m_mobile;
    QLineEdit* m_email;
    QLineEdit* m_url;
    QPlainTextEdit* m_address;
    QPlainTextEdit* m_notes;
};

class CPublisherDlg : public CPersonRecordDlg {
    Q_OBJECT

public:
    CPublisherDlg(const CPerson& publisher, bool isNew, Check check = {}, QWidget* parent = nullptr);
    CPerson GetRecord() const override;

    QLineEdit* GetNameEdit() const { return m_name; }
    QLineEdit* GetPhoneEdit() const { return m_phone; }
    QLineEdit* GetURLEdit() const { return m_url; }

private:
    QLineEdit* m_name;
    QLineEdit* m_phone;
    QLineEdit* m_email;
    QLineEdit* m_url;
    QPlainTextEdit* m_address;
};
