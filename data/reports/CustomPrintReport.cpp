#include "data/reports/CustomPrintReport.h"

#include "data/reports/ReportSort.h"
#include "platform/util/Archive.h"

CCustomPrintReport::CCustomPrintReport(const CCustomPrintReport& source)
    : CCustomReport(source)
    , m_columns(source.m_columns)
    , m_items(source.m_items)
{
    for (int i = 0; i < 4; ++i)
        m_sortProps[i] = source.m_sortProps[i];
}

CCustomPrintReport& CCustomPrintReport::operator=(const CCustomPrintReport& source)
{
    if (this != &source) {
        CCustomReport::operator=(source);
        for (int i = 0; i < 4; ++i)
            m_sortProps[i] = source.m_sortProps[i];
        m_columns = source.m_columns;
        m_items = source.m_items;
    }
    return *this;
}

void CCustomPrintReport::Run(
    CItemList& items, CLibraryImpl* library, unsigned int /*message*/, const CProgressCallback& /*progress*/)
{
    if (!GetMediaIDs().HaveSelection()) {
        SetRunErrorMsg("There is nothing to show for this report. Select one or more media types.");
        return;
    }
    if (GetCategoryCount() == 0) {
        SetRunErrorMsg("There is nothing to show for this report. Select one or more categories.");
        return;
    }
    if (GetColumnCount() == 0) {
        SetRunErrorMsg("There is nothing to show for this report. Select one or more data columns.");
        return;
    }
    if (items.IsEmpty()) {
        SetRunErrorMsg("There is no data to show for this report.");
        return;
    }
    FilterByCategory(items);
    if (items.IsEmpty()) {
        SetRunErrorMsg("After applying the category filters, there is no data to show for this report.");
        return;
    }
    if (NeedsSubItems(library))
        SwapForSubItems(items);
    SortItems(items, library);
    m_items.RemoveAll();
    m_items.AddTail(items);
}

bool CCustomPrintReport::NeedsSubItems(const CLibraryImpl* library) const
{
    for (int i = 0; i < GetColumnCount(); ++i)
        if (PropCallsForSubItems(m_columns.GetAt(i), GetMediaIDs(), library))
            return true;
    return false;
}

void CCustomPrintReport::SetSortOrder(const CString& p1, const CString& p2, const CString& p3, const CString& p4)
{
    const bool changed = p1 != m_sortProps[0] || p2 != m_sortProps[1] || p3 != m_sortProps[2] || p4 != m_sortProps[3];
    m_sortProps[0] = p1;
    m_sortProps[1] = p2;
    m_sortProps[2] = p3;
    m_sortProps[3] = p4;
    if (changed && m_items.GetCount() > 1)
        SortItems(m_items, nullptr);
}

bool CCustomPrintReport::IsDescendingSortProp(const CString& stored)
{
    return stored.size() > 1 && stored[0] == DESCENDING_MARK;
}

CString CCustomPrintReport::SortPropName(const CString& stored)
{
    return IsDescendingSortProp(stored) ? stored.substr(1) : stored;
}

CString CCustomPrintReport::MakeSortProp(const CString& prop, bool descending)
{
    return descending && !prop.empty() ? DESCENDING_MARK + prop : prop;
}

void CCustomPrintReport::SortItems(CItemList& items, const CLibraryImpl* library) const
{
    unsigned descending = 0;
    CString props[4];
    for (int k = 0; k < 4; ++k) {
        props[k] = SortPropName(m_sortProps[k]);
        if (IsDescendingSortProp(m_sortProps[k]))
            descending |= 1u << k;
    }
    CReportSort::Sort(items, props[0], props[1], props[2], props[3], library, descending);
}

void CCustomPrintReport::Serialize(CArchive& ar)
{
    CCustomReport::Serialize(ar);
    ar.SerializeVersion(1);
    for (CString& prop : m_sortProps)
        ar.Serialize(prop);
    ar.Serialize(m_columns);
}
