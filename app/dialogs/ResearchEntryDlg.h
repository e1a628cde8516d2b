#pragma once
// Research, Manage List...: the named web addresses of the Research menu.
// Entries are added and deleted here and handed to the library only when OK
// is pressed; the menu holds at most a fixed number of them.

#include <QDialog>
#include <memory>
#include <vector>

#include "data/store/ResearchEntry.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

class CResearchEntryDlg : public QDialog {
    Q_OBJECT

public:
    // entries: the library's (not owned); maxEntries: how many may be kept.
    CResearchEntryDlg(const std::vector<CResearchEntry*>& entries, int maxEntries, QWidget* parent = nullptr);
    ~CResearchEntryDlg() override;

    // False (and said) for a blank name or address, a name listed already
    // (ignoring case), or when the list is full.
    bool AddEntry(const QString& name, const QString& url);
    // False for names not listed.
    bool DeleteEntry(const QString& name);
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }

    // The entries added (the caller takes them) and the library's entries
    // deleted.
    CArray<CResearchEntry*, CResearchEntry*> TakeAdded();
    CArray<CResearchEntry*, CResearchEntry*> GetDeleted() const;

    QTreeWidget* GetList() const { return m_list; }

private:
    struct CEntry {
        CResearchEntry* existing = nullptr; // the library's
        std::unique_ptr<CResearchEntry> added;
        const CResearchEntry& Get() const { return existing ? *existing : *added; }
    };

    void FillList();
    void AddFromFields();
    void DeleteSelected();

    int m_maxEntries;
    std::vector<CEntry> m_entries;
    std::vector<CResearchEntry*> m_deleted;
    QTreeWidget* m_list;
    QLineEdit* m_name;
    QLineEdit* m_url;
    QPushButton* m_delete;
};
