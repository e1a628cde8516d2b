#pragma once
// What every custom report shares (printed and web): the media types and
// categories it covers, its name, and why its last run stopped early. Layout
// of the record: docs/file-format.md.

#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CItemList;
class CLibraryImpl;

class CCustomReport {
public:
    CCustomReport() = default;
    CCustomReport(const CCustomReport&) = default;
    CCustomReport& operator=(const CCustomReport&) = default;
    virtual ~CCustomReport() = default;

    // Fills the report from items (which it may filter and rearrange); on an
    // early stop only the run error message changes. progress may be empty.
    virtual void Run(CItemList& items, CLibraryImpl* library, unsigned int message, const CProgressCallback& progress)
        = 0;
    // Record: version word (1), name, media selection, category count and
    // ids, new-category count and ids. Loaded ids of categories the category
    // list does not hold are dropped.
    virtual void Serialize(CArchive& ar);

    // Names equal ignoring case; nothing else is compared.
    bool operator==(const CCustomReport& other) const;

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    CMediaTypeSelection& GetMediaIDs() { return m_mediaIDs; }
    const CMediaTypeSelection& GetMediaIDs() const { return m_mediaIDs; }

    // The two category sets; adding an id already held does nothing.
    void AddCategory(int id) { m_categories.SetAt(id, 1); }
    void AddNewCategory(int id) { m_newCategories.SetAt(id, 1); }
    // Takes the id out of both sets.
    void RemoveCategory(int id);
    void ClearCategoryList() { m_categories.RemoveAll(); }
    void ClearNewCategoryList() { m_newCategories.RemoveAll(); }
    int GetCategoryCount() const { return static_cast<int>(m_categories.GetCount()); }
    int GetCategoryNewCount() const { return static_cast<int>(m_newCategories.GetCount()); }
    // In either set.
    bool GetHaveCategory(int id) const { return m_categories.Contains(id) || m_newCategories.Contains(id); }
    bool IsNewCategory(int id) const { return m_newCategories.Contains(id); }
    // Iteration in id order: GetNext* returns the id at pos and advances pos
    // (null after the last).
    POSITION GetHeadCategory() const { return HeadOf(m_categories); }
    int GetNextCategory(POSITION& pos) const { return NextOf(m_categories, pos); }
    POSITION GetHeadCategoryNew() const { return HeadOf(m_newCategories); }
    int GetNextCategoryNew(POSITION& pos) const { return NextOf(m_newCategories, pos); }

    const CString& GetRunErrorMsg() const { return m_runErrorMsg; }

    // Blanks a value that means nothing before it is shown: "0"; the none
    // category's name for "Category"; "0:00" and "00:00" for "Length"; "N"
    // for a yes/no property.
    static void AdjustText(const CString& prop, CString& text);

    // Whether rows for prop must be sub-items: a sub-item property (shared
    // ones count when magazines are selected), or with magazines selected
    // and a library, the name of a magazine custom field.
    static bool PropCallsForSubItems(
        const CString& prop, const CMediaTypeSelection& selection, const CLibraryImpl* library);

protected:
    // Keeps null entries and the items whose category (0 or less counting
    // as 1) is in either set.
    void FilterByCategory(CItemList& items) const;
    // Each media item with sub-items is replaced, in place, by its
    // sub-items in their order.
    static void SwapForSubItems(CItemList& items);

    using CIdSet = CMap<int, int, BYTE, BYTE>;

    void SetRunErrorMsg(const CString& message) { m_runErrorMsg = message; }

    // The progress message and receiver of the run in progress (web reports).
    unsigned int m_progressMessage = 0;
    CProgressCallback m_progress;

private:
    static POSITION HeadOf(const CIdSet& set);
    static int NextOf(const CIdSet& set, POSITION& pos);
    static void SerializeIds(CArchive& ar, CIdSet& set);

    CMediaTypeSelection m_mediaIDs;
    CString m_name;
    CIdSet m_categories;
    CIdSet m_newCategories;
    CString m_runErrorMsg;
};
