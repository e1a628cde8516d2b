#pragma once
// Library, Copy...: the name of the copy (checked when OK is pressed) and
// whether to go on in the current library or load the copy.

#include <QDialog>

#include "platform/util/VemoTypes.h"

class QLineEdit;
class QRadioButton;

class CLibraryCopyDlg : public QDialog {
    Q_OBJECT

public:
    CLibraryCopyDlg(const CString& currentName, const CStringArray& existing, QWidget* parent = nullptr);

    CString GetNewName() const;
    bool GetLoadCopy() const;
    QLineEdit* NameEdit() const { return m_newName; }
    QRadioButton* LoadCopyOption() const { return m_loadCopy; }

public slots:
    void accept() override;

private:
    CStringArray m_existing;
    QLineEdit* m_newName;
    QRadioButton* m_stay;
    QRadioButton* m_loadCopy;
};
