#pragma once
// Library, Restore...: the archive copies of every library, one line each,
// and the one chosen to restore. An archive restores to the library of its
// name ignoring case; replacing the loaded library asks once more before
// the dialog closes (replacing another one is asked about by the session).

#include <QDialog>
#include <QList>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CDataFileMgmt;
class QListWidget;
class QPushButton;

class CLibraryRestoreDlg : public QDialog {
    Q_OBJECT

public:
    struct Line {
        CString archiveFile;
        QString text;
    };

    static inline const QString CONFIRM_TEXT
        = "VemoLibrary is about to replace ALL of the content in the currently loaded Library with the data "
          "contained in an older Library version.\n\nContinue?\n\n           ...last chance!";

    // existing holds the names of the libraries there are.
    CLibraryRestoreDlg(const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now,
        const CStringArray& existing, QWidget* parent = nullptr);

    // The lines of the list: every archive of a library (not of the shared
    // data file), "%s (%s), %s, %s: %s", ending in what a restore does:
    // replace the loaded library, replace another existing one, or add one.
    static QList<Line> BuildLines(const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now,
        const CStringArray& existing = CStringArray());

    CString GetArchiveFile() const { return m_chosen; }
    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    // The library archive restores to: an existing one ignoring case, or "".
    static CString Target(const CString& archive, const CString& loadedName, const CStringArray& existing);

    CString m_loadedName;
    CStringArray m_existing;
    QList<Line> m_lines;
    QListWidget* m_list;
    QPushButton* m_ok;
    CString m_chosen;
};
