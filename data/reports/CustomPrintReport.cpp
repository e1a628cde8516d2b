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
    CReportSort::Sort(items, m_sortProps[0], m_sortProps[1], m_sortProps[2], m_sortProps[3], library);
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
        CReportSort::Sort(m_items, p1, p2, p3, p4, nullptr);
}

void CCustomPrintReport::Serialize(CArchive& ar)
{
    CCustomReport::Serialize(ar);
    ar.SerializeVersion(1);
    for (CString& prop : m_sortProps)
        ar.Serialize(prop);
    ar.Serialize(m_columns);
}
