#pragma once
// What the two custom report windows share: the library's reports of one
// kind listed by name, the buttons beside the list that need a selection,
// and the steps every change of the list takes (the document marked
// modified, the list made again keeping the selection). Modeless; it asks
// the document for the library each time, so it never holds a pointer
// into it.

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/util/VemoTypes.h"

class CCustomReport;
class CCustomReportEditor;
class CLibrary;
class CVemoLibraryDoc;
class QListWidget;
class QPushButton;
class QVBoxLayout;

class CReportManagerDlg : public QDialog {
    Q_OBJECT

public:
    // Lists the library's reports by name; selects the one named select,
    // else the first.
    void Refresh(const QString& select = QString());
    QListWidget* GetList() const { return m_list; }

protected:
    CReportManagerDlg(CVemoLibraryDoc* doc, const QString& title, const QString& listLabel, QWidget* parent);

    virtual int GetReportCount(const CLibrary& library) const = 0;
    virtual CCustomReport* GetReportAt(const CLibrary& library, int index) const = 0;
    // While true (a run, say) the buttons that need a selection are off.
    virtual bool IsBusy() const { return false; }
    virtual void UpdateButtons();

    // The buttons beside the list, top to bottom; null leaves a gap. Those
    // in needSelection work on the selected report.
    void AddSideButtons(std::initializer_list<QPushButton*> buttons, std::vector<QPushButton*> needSelection);
    // Where a kind adds widgets under the list.
    QVBoxLayout* GetExtraLayout() const { return m_extra; }

    CLibrary* GetLibrary() const;
    // The library's index of the selected report; -1 for none.
    int GetSelectedIndex() const;
    CCustomReport* GetSelectedReport() const;
    // The names of the reports other than except.
    std::vector<CString> OtherNames(const CCustomReport* except) const;
    // A new report covers the first media type the library shows (Books
    // when it shows none) and every category; returns that type.
    int StartNew(CCustomReportEditor& editor) const;
    // After the library's reports changed.
    void NoteChanged(const QString& select);
    // Asks question; on yes remove(library, index) takes the selected
    // report away. True when it went.
    bool DeleteSelectedAfter(const QString& question, const std::function<void(CLibrary&, int)>& remove);

    CVemoLibraryDoc* m_doc;

private:
    QListWidget* m_list;
    QVBoxLayout* m_side;
    QVBoxLayout* m_extra;
    std::vector<QPushButton*> m_needSelection;
};
