#pragma once
// Library, Notes...: the library's free-text notes.

#include <QDialog>

#include "platform/util/VemoTypes.h"

class QPlainTextEdit;

class CVemoLibraryNotesDlg : public QDialog {
    Q_OBJECT

public:
    CVemoLibraryNotesDlg(const CString& notes, QWidget* parent = nullptr);
    CString GetNotes() const;
    QPlainTextEdit* NotesEdit() const { return m_edit; }

private:
    QPlainTextEdit* m_edit;
};
