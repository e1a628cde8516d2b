#include "data/reports/CustomWebReport.h"

#include "data/model/MediaUtils.h"
#include "data/reports/WebPageNames.h"
#include "data/reports/WebReportGenerator.h"
#include "data/reports/WebReportTags.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

CCustomWebReport::CCustomWebReport()
{
    m_linkTags[0] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_EFILEURL);
    m_linkTags[1] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_ONLINEURL);
    m_linkTags[2] = MakeTagFromProperty(CMediaUtils::MEDIA_PROP_PUBLISHERURL);
    SetPageLevel(1, CString(), CString(), CString());
}

void CCustomWebReport::Progress(long long first, long long second) const
{
    if (m_progress)
        m_progress(m_progressMessage, first, second);
}

void CCustomWebReport::Run(
    CItemList& items, CLibraryImpl* library, unsigned int message, const CProgressCallback& progress)
{
    SetRunErrorMsg(CString());
    m_progressMessage = message;
    m_progress = progress;
    m_library = library;
    const int levels = GetPageLevelCount();
    const CString folder = CFileUtils::ParseDirFromPath(m_homePage);
    const char* const levelNames[] = { "One", "Two", "Three" };
    if (levels < 1) {
        SetRunErrorMsg("Unable to generate web report, because output level(s) has not yet been set.");
    } else if (CStringUtils::IsEffectivelyEmpty(m_homePage)) {
        SetRunErrorMsg("No output folder has been specified. This is required for VemoLibrary to store the web page "
                       "files it is about to generate. Press the properties button next to the \"One Level\" option "
                       "to set the output folder.");
    } else if (items.IsEmpty()) {
        SetRunErrorMsg("Unable to generate web report, because there is no data to show for this report.");
    } else if (folder.empty()) {
        SetRunErrorMsg("Unable to generate web report, because there was no report output directory specified.");
    } else if (CFileUtils::ParseFileNameFromPath(m_homePage, true).empty()) {
        SetRunErrorMsg("Unable to generate web report, because there was no report first page file name specified.");
    } else {
        for (int level = 1; level <= levels && level <= MAX_LEVELS; ++level)
            if (!CFileUtils::DoesFileExist(GetTemplateFile(level))) {
                SetRunErrorMsg(CStringUtils::Format("The HTML template file specified for Level %s is not valid or no "
                                                    "longer exists in the specified folder.",
                    levelNames[level - 1]));
                break;
            }
    }
    if (!GetRunErrorMsg().empty())
        return;

    CWebReportGenerator generator(
        *this, library, [this](long long first, long long second) { Progress(first, second); });
    if (const int failed = generator.ReadTemplates()) {
        SetRunErrorMsg(CStringUtils::Format(
            "The HTML template file specified for Level %s is not valid or no longer exists in the specified folder.",
            levelNames[failed - 1]));
        return;
    }
    Progress(0, 100);

    const CString& first = GetSortProp1(1);
    if (PropCallsForSubItems(first.empty() ? GetSortProp2(1) : first, GetMediaIDs(), library))
        SwapForSubItems(items);
    FilterByCategory(items);
    if (items.IsEmpty()) {
        SetRunErrorMsg("Unable to generate the report because, after filtering out the categories, there was no data "
                       "to show for this report.");
        return;
    }
    Progress(1, items.GetCount());
    // The generator sorts level 1 by its two properties.

    generator.Generate(std::vector<CItem*>(items.begin(), items.end()));
    SetRunErrorMsg(generator.GetErrorMsg());
    Progress(3, 0);
}

void CCustomWebReport::ListExistingPages(CStringList& names) const
{
    const CString folder = CFileUtils::ParseDirFromPath(m_homePage);
    const CString base = CFileUtils::ParseFileNameFromPath(m_homePage, false);
    if (folder.empty() || base.empty())
        return;
    CStringList files;
    CDirUtils::ListFiles(folder, "htm", files);
    for (const CString& name : files)
        if (CWebPageNames::IsPageOfReport(name, base))
            names.AddTail(name);
}

bool CCustomWebReport::HaveOutputFiles() const
{
    if (CFileUtils::DoesFileExist(m_homePage))
        return true;
    CStringList names;
    ListExistingPages(names);
    return !names.IsEmpty();
}

void CCustomWebReport::SetHomePage(const CString& path, bool moveFiles)
{
    if (CStringUtils::IsEffectivelyEmpty(path) || CStringUtils::EqualsNoCase(path, m_homePage))
        return;
    const CString oldFolder = CFileUtils::ParseDirFromPath(m_homePage);
    const CString oldBase = CFileUtils::ParseFileNameFromPath(m_homePage, false);
    const CString newFolder = CFileUtils::ParseDirFromPath(path);
    const CString newBase = CFileUtils::ParseFileNameFromPath(path, false);
    const bool folderChanges = oldFolder != newFolder;
    const bool move = moveFiles && folderChanges;
    const bool rename
        = !move && CFileUtils::ParseFileNameFromPath(m_homePage, true) != CFileUtils::ParseFileNameFromPath(path, true);
    if (!m_homePage.empty() && !oldBase.empty() && (move || rename)) {
        // Each page keeps what follows the home page's name in its own.
        const CString targetFolder = move ? newFolder : oldFolder;
        const char* const logId
            = move ? "{62979A49-9F23-46E2-80D9-DD181DB86E89}" : "{C848F425-43BA-4e14-8FAE-9A21CB2EE181}";
        CStringList pages;
        ListExistingPages(pages);
        for (const CString& page : pages)
            if (!CFileUtils::MoveFile(oldFolder + page, targetFolder + newBase + page.substr(oldBase.size())))
                VemoLog(logId);
        if (CFileUtils::DoesFileExist(m_homePage)
            && !CFileUtils::MoveFile(m_homePage, targetFolder + CFileUtils::ParseFileNameFromPath(path, true)))
            VemoLog(logId);
    }
    m_homePage = path;
}

void CCustomWebReport::GetSupportedTags(CStringList& tags)
{
    tags.AddTail(CWebReportTags::GetInstance()->GetTagList());
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
    return CWebReportTags::MakeTagFromProperty(prop);
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
