#pragma once
// A printed (grid) report: up to four sort properties, the data columns, and
// the items its last run produced. Every media manager owns one as its basic
// report; the library owns the user's.

#include "data/model/ItemLists.h"
#include "data/reports/CustomReport.h"

class CCustomPrintReport : public CCustomReport {
public:
    CCustomPrintReport() = default;
    CCustomPrintReport(const CCustomPrintReport& source);
    CCustomPrintReport& operator=(const CCustomPrintReport& source);
    ~CCustomPrintReport() override = default;

    // Filters items by category, swaps media items for their sub-items when
    // a column asks for sub-item rows, sorts them and keeps them as the
    // report's items. An early stop only sets the run error message (the
    // last two arguments are not used).
    void Run(CItemList& items, CLibraryImpl* library, unsigned int message, const CProgressCallback& progress) override;
    // Record: the CCustomReport record, then version word (1), the four sort
    // properties, the columns (string array). The items are not stored.
    void Serialize(CArchive& ar) override;

    // A stored sort property that begins with DESCENDING_MARK sorts its key
    // from high to low; the rest is the property. Files of reports that
    // never sort descending stay as they were.
    static constexpr char DESCENDING_MARK = '-';
    static bool IsDescendingSortProp(const CString& stored);
    // The property of a stored sort property.
    static CString SortPropName(const CString& stored);
    static CString MakeSortProp(const CString& prop, bool descending);

    const CString& GetFirstSortOrderProp() const { return m_sortProps[0]; }
    const CString& GetSecondSortOrderProp() const { return m_sortProps[1]; }
    const CString& GetThirdSortOrderProp() const { return m_sortProps[2]; }
    const CString& GetFourthSortOrderProp() const { return m_sortProps[3]; }
    // Stores the four properties (any may be empty); when one changed, the
    // items are sorted again (custom fields compare as empty).
    void SetSortOrder(const CString& p1, const CString& p2, const CString& p3, const CString& p4);

    void AddColumn(const CString& prop) { m_columns.Add(prop); }
    void ClearColumns() { m_columns.RemoveAll(); }
    int GetColumnCount() const { return static_cast<int>(m_columns.GetSize()); }
    // "" outside 0..count-1.
    CString GetColumnAt(int index) const
    {
        return index >= 0 && index < GetColumnCount() ? m_columns.GetAt(index) : CString();
    }

    // Whether the columns ask for sub-item rows (the first column that is a
    // sub-item property or, with a library, a magazine custom field).
    bool NeedsSubItems(const CLibraryImpl* library) const;

    // The items of the last successful run, in report order; borrowed from
    // the library.
    int GetItemCount() const { return static_cast<int>(m_items.GetCount()); }
    POSITION GetHeadItem() const { return m_items.GetHeadPosition(); }
    CItem* GetNextItem(POSITION& pos) const { return m_items.GetNext(pos); }

protected:
    CItemList& GetItems() { return m_items; }

private:
    // By the four sort properties, descending where they say so.
    void SortItems(CItemList& items, const CLibraryImpl* library) const;

    CString m_sortProps[4];
    CStringArray m_columns;
    CItemList m_items;
};
