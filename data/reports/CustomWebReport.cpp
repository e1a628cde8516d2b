#include "data/reports/CustomWebReport.h"

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CCustomWebReport::CCustomWebReport()
{
    m_linkTags[0] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_EFILEURL);
    m_linkTags[1] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_ONLINEURL);
    m_linkTags[2] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_PUBLISHERURL);
    SetPageLevel(1, CString(), CString(), CString());
}

void CCustomWebReport::Run(
    CItemList& /*items*/, CLibraryImpl* library, unsigned int /*message*/, const CProgressCallback& /*progress*/)
{
    // Placeholder: page generation from the templates is not built yet.
    m_library = library;
    SetRunErrorMsg("Not available yet.");
}

void CCustomWebReport::SetHomePage(const CString& path, bool /*moveFiles*/)
{
    if (CStringUtils::IsEffectivelyEmpty(path) || CStringUtils::EqualsNoCase(path, m_homePage))
        return;
    m_homePage = path;
}

void CCustomWebReport::SetPageLevel(
    int level, const CString& templateFile, const CString& sortProp1, const CString& sortProp2)
{
    if (level < 1 || level > MAX_LEVELS)
        return;
    if (level > GetPageLevelCount()) {
        m_templateFiles.SetSize(level);
        m_sortProps1.SetSize(level);
        m_sortProps2.SetSize(level);
    }
    m_templateFiles.SetAt(level - 1, templateFile);
    m_sortProps1.SetAt(level - 1, sortProp1);
    m_sortProps2.SetAt(level - 1, sortProp2);
}

void CCustomWebReport::RemovePageLevel(int level)
{
    if (level < 1 || level > GetPageLevelCount())
        return;
    m_templateFiles.RemoveAt(level - 1);
    m_sortProps1.RemoveAt(level - 1);
    m_sortProps2.RemoveAt(level - 1);
}

CString CCustomWebReport::MakeTagFromProperty(const CString& prop)
{
    CString tag = CStringUtils::ToUpper("{" + prop + "}");
    CStringUtils::Replace(tag, " ", "_");
    CStringUtils::Replace(tag, "/", "_");
    CStringUtils::Replace(tag, "-", "_");
    CStringUtils::Replace(tag, "_#", "#");
    CStringUtils::Replace(tag, "_&_", "&");
    CStringUtils::Replace(tag, ".", "");
    CStringUtils::Replace(tag, "?", "");
    return tag;
}

void CCustomWebReport::Serialize(CArchive& ar)
{
    CCustomReport::Serialize(ar);
    SerializeBody(ar, 2);
}

void CCustomWebReport::SerializeVersion1(CArchive& ar)
{
    CCustomReport::Serialize(ar);
    SerializeBody(ar, 1);
}

void CCustomWebReport::SerializeBody(CArchive& ar, WORD version)
{
    const WORD stored = ar.SerializeVersion(version);
    ar.Serialize(m_includeDuplicates);
    ar.Serialize(m_homePage);
    if (stored < 2) {
        CString obsolete;
        ar.Serialize(obsolete);
    }
    if (ar.IsStoring()) {
        ar.WriteInt(GetPageLevelCount());
        for (int i = 0; i < GetPageLevelCount(); ++i) {
            ar.WriteString(m_templateFiles.GetAt(i));
            ar.WriteString(m_sortProps1.GetAt(i));
            ar.WriteString(m_sortProps2.GetAt(i));
        }
        return;
    }
    // Read into locals first, so that a damaged record leaves the levels whole.
    const std::int32_t count = ar.ReadCount(3);
    CStringArray templates, props1, props2;
    for (std::int32_t i = 0; i < count; ++i) {
        templates.Add(ar.ReadString());
        props1.Add(ar.ReadString());
        props2.Add(ar.ReadString());
    }
    m_templateFiles.swap(templates);
    m_sortProps1.swap(props1);
    m_sortProps2.swap(props2);
}
