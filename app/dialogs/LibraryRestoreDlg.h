#pragma once
// Library, Restore...: the archive copies of every library, one line each,
// and the one chosen to restore. Replacing the loaded library asks once
// more before the dialog closes.

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

    CLibraryRestoreDlg(
        const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now, QWidget* parent = nullptr);

    // The lines of the list: every archive of a library (not of the shared
    // data file), "%s (%s), %s, %s: %s".
    static QList<Line> BuildLines(const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now);

    CString GetArchiveFile() const { return m_chosen; }
    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    CString m_loadedName;
    QList<Line> m_lines;
    QListWidget* m_list;
    QPushButton* m_ok;
    CString m_chosen;
};
