#pragma once
// Library, Delete...: confirms the deletion and, when the library has
// archive copies, asks whether to keep them.

#include <QDialog>

#include "platform/util/VemoTypes.h"

class QRadioButton;

class CLibraryDeleteDlg : public QDialog {
    Q_OBJECT

public:
    CLibraryDeleteDlg(const CString& name, int archiveCount, QWidget* parent = nullptr);

    static QString QuestionText(const CString& name);
    // Preserve is chosen only while the backup question is shown.
    bool GetPreserve() const;
    bool GetDeleteArchives() const;
    bool AsksAboutArchives() const { return m_preserve != nullptr; }
    QRadioButton* PreserveOption() const { return m_preserve; }
    QRadioButton* DeleteOption() const { return m_delete; }

private:
    QRadioButton* m_preserve = nullptr;
    QRadioButton* m_delete = nullptr;
};
