#pragma once
// Library, Rename...: the current name (read-only) and the new one, checked
// when OK is pressed; the dialog stays open until the name is acceptable.

#include <QDialog>

#include "platform/util/VemoTypes.h"

class QLineEdit;
class QPushButton;

class CLibraryRenameDlg : public QDialog {
    Q_OBJECT

public:
    CLibraryRenameDlg(const CString& currentName, const CStringArray& existing, QWidget* parent = nullptr);

    CString GetNewName() const;
    QLineEdit* NameEdit() const { return m_newName; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    void UpdateOk();

    CString m_currentName;
    CStringArray m_existing;
    QLineEdit* m_newName;
    QPushButton* m_ok;
};
