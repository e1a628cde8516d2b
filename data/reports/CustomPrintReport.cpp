#include "data/reports/CustomPrintReport.h"

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
    CItemList& /*items*/, CLibraryImpl* /*library*/, unsigned int /*message*/, const CProgressCallback& /*progress*/)
{
    // Placeholder: filtering, the sub-item swap and the multi-key report sort
    // come with the report run.
    SetRunErrorMsg("Not available yet.");
}

void CCustomPrintReport::SetSortOrder(const CString& p1, const CString& p2, const CString& p3, const CString& p4)
{
    // The items are only ever filled by Run, which is still a placeholder, so
    // there is nothing to sort again yet.
    m_sortProps[0] = p1;
    m_sortProps[1] = p2;
    m_sortProps[2] = p3;
    m_sortProps[3] = p4;
}

void CCustomPrintReport::Serialize(CArchive& ar)
{
    CCustomReport::Serialize(ar);
    ar.SerializeVersion(1);
    for (CString& prop : m_sortProps)
        ar.Serialize(prop);
    ar.Serialize(m_columns);
}
