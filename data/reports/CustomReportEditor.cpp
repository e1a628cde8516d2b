#include "data/reports/CustomReportEditor.h"

#include <algorithm>

#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/model/Category.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

bool NameTaken(const CString& name, const std::vector<CString>& others)
{
    return std::any_of(
        others.begin(), others.end(), [&](const CString& other) { return CStringUtils::EqualsNoCase(other, name); });
}

const char* const kLevelNames[] = { "one", "two", "three" };

} // namespace

// ---------------------------------------------------------------------------

void CCustomReportEditor::SetCategorySelected(int id, bool selected)
{
    if (selected)
        m_categories.insert(id);
    else
        m_categories.erase(id);
}

void CCustomReportEditor::SelectAllCategories(const CLibrary& library)
{
    for (POSITION pos = library.GetHeadCategory(); pos;)
        if (const CCategory* category = library.GetNextCategory(pos))
            m_categories.insert(category->GetUniqueID());
}

void CCustomReportEditor::GetAvailableProps(const CLibrary& library, CStringArray& props) const
{
    CStringList dataProps;
    library.GetMediaTypeDataProps(m_mediaTypes, dataProps);
    for (const CString& prop : dataProps)
        props.Add(prop);
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const CCustomFieldMgr* fields = m_mediaTypes.GetShow(type) ? library.GetCustomFieldMgr(type) : nullptr;
        for (int i = 0; fields && i < fields->GetFieldCount(); ++i) {
            const CString& name = fields->GetFieldAt(i)->GetName();
            if (std::find(props.begin(), props.end(), name) == props.end())
                props.Add(name);
        }
    }
}

void CCustomReportEditor::LoadCommon(const CCustomReport& report, const CLibrary& library)
{
    m_name = report.GetName();
    m_mediaTypes = report.GetMediaIDs();
    for (POSITION pos = library.GetHeadCategory(); pos;)
        if (const CCategory* category = library.GetNextCategory(pos);
            category && report.GetHaveCategory(category->GetUniqueID()))
            m_categories.insert(category->GetUniqueID());
}

void CCustomReportEditor::StoreCommon(CCustomReport& report, const CLibrary& library) const
{
    report.SetName(CStringUtils::Trim(m_name));
    report.GetMediaIDs() = m_mediaTypes;
    for (POSITION pos = library.GetHeadCategory(); pos;) {
        const CCategory* category = library.GetNextCategory(pos);
        if (!category)
            continue;
        if (IsCategorySelected(category->GetUniqueID()))
            report.AddCategory(category->GetUniqueID());
        else
            report.RemoveCategory(category->GetUniqueID());
    }
}

CString CCustomReportEditor::CheckCommon(const std::vector<CString>& otherNames) const
{
    const CString name = CStringUtils::Trim(m_name);
    if (name.empty())
        return "A report needs a name.";
    if (NameTaken(name, otherNames))
        return "A report named \"" + name + "\" exists already. Report names are not case-sensitive.";
    if (!m_mediaTypes.HaveSelection())
        return "Select one or more media types.";
    if (m_categories.empty())
        return "Select one or more categories.";
    return CString();
}

// ---------------------------------------------------------------------------

CCustomPrintReportEditor::CCustomPrintReportEditor(const CCustomPrintReport& report, const CLibrary& library)
{
    LoadCommon(report, library);
    for (int i = 0; i < report.GetColumnCount(); ++i)
        AddColumn(report.GetColumnAt(i));
    const CString stored[SORT_KEY_COUNT] = { report.GetFirstSortOrderProp(), report.GetSecondSortOrderProp(),
        report.GetThirdSortOrderProp(), report.GetFourthSortOrderProp() };
    for (int k = 0; k < SORT_KEY_COUNT; ++k)
        SetSortKey(k, CCustomPrintReport::SortPropName(stored[k]), CCustomPrintReport::IsDescendingSortProp(stored[k]));
}

bool CCustomPrintReportEditor::AddColumn(const CString& prop)
{
    if (prop.empty() || std::find(m_columns.begin(), m_columns.end(), prop) != m_columns.end())
        return false;
    m_columns.push_back(prop);
    return true;
}

bool CCustomPrintReportEditor::RemoveColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    return true;
}

bool CCustomPrintReportEditor::MoveColumn(int from, int to)
{
    if (from < 0 || from >= GetColumnCount() || to < 0 || to >= GetColumnCount())
        return false;
    CString column = m_columns[static_cast<std::size_t>(from)];
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + to, column);
    return true;
}

void CCustomPrintReportEditor::UseDefaultColumns(CLibrary& library)
{
    CCustomPrintReport scratch;
    scratch.GetMediaIDs() = GetMediaTypes();
    library.PrepCustomPrintReport(&scratch, false, true, false, false);
    m_columns.clear();
    for (int i = 0; i < scratch.GetColumnCount(); ++i)
        AddColumn(scratch.GetColumnAt(i));
}

void CCustomPrintReportEditor::SetSortKey(int key, const CString& prop, bool descending)
{
    if (key < 0 || key >= SORT_KEY_COUNT)
        return;
    m_sortKeys[key].prop = prop;
    m_sortKeys[key].descending = descending && !prop.empty();
}

CString CCustomPrintReportEditor::Check(const std::vector<CString>& otherNames) const
{
    CString problem = CheckCommon(otherNames);
    if (problem.empty() && m_columns.empty())
        problem = "Select one or more data columns.";
    return problem;
}

void CCustomPrintReportEditor::Store(CCustomPrintReport& report, const CLibrary& library) const
{
    StoreCommon(report, library);
    report.ClearColumns();
    for (const CString& column : m_columns)
        report.AddColumn(column);
    CString stored[SORT_KEY_COUNT];
    for (int k = 0; k < SORT_KEY_COUNT; ++k)
        stored[k] = CCustomPrintReport::MakeSortProp(m_sortKeys[k].prop, m_sortKeys[k].descending);
    report.SetSortOrder(stored[0], stored[1], stored[2], stored[3]);
}

// ---------------------------------------------------------------------------

CCustomWebReportEditor::CCustomWebReportEditor()
    : m_levels(1)
{
}

CCustomWebReportEditor::CCustomWebReportEditor(const CCustomWebReport& report, const CLibrary& library)
    : m_includeDuplicates(report.GetIncludeDuplicates())
    , m_homePage(report.GetHomePage())
{
    LoadCommon(report, library);
    for (int level = 1; level <= std::min(report.GetPageLevelCount(), MAX_LEVELS); ++level)
        m_levels.push_back({ report.GetTemplateFile(level), report.GetSortProp1(level), report.GetSortProp2(level) });
    if (m_levels.empty())
        m_levels.resize(1);
}

void CCustomWebReportEditor::SetLevelCount(int count)
{
    m_levels.resize(static_cast<std::size_t>(std::clamp(count, 1, MAX_LEVELS)));
}

void CCustomWebReportEditor::SetLevel(int level, const CLevel& settings)
{
    if (level >= 1 && level <= GetLevelCount())
        m_levels[static_cast<std::size_t>(level - 1)] = settings;
}

CString CCustomWebReportEditor::SuggestHomePage(const CString& outputDir, const CString& name)
{
    const CString file = CFileUtils::ReplaceBadFileChars(CStringUtils::Trim(name));
    return file.empty() ? CString() : CDirUtils::WithTrailingSeparator(outputDir) + file + ".htm";
}

void CCustomWebReportEditor::ListTemplates(const CString& folder, CStringArray& names)
{
    CStringList found;
    CDirUtils::ListFiles(folder, "htm", found);
    CDirUtils::ListFiles(folder, "html", found);
    std::vector<CString> sorted(found.begin(), found.end());
    std::sort(sorted.begin(), sorted.end(),
        [](const CString& a, const CString& b) { return CStringUtils::CompareNoCase(a, b) < 0; });
    for (const CString& name : sorted)
        names.Add(name);
}

CString CCustomWebReportEditor::Check(
    const std::vector<CString>& otherNames, const std::vector<CString>& otherHomePages) const
{
    CString problem = CheckCommon(otherNames);
    if (!problem.empty())
        return problem;
    if (CStringUtils::IsEffectivelyEmpty(m_homePage) || CFileUtils::ParseDirFromPath(m_homePage).empty()
        || CFileUtils::ParseFileNameFromPath(m_homePage, false).empty())
        return "Choose the home page: the folder and file name the first level is written to.";
    if (NameTaken(m_homePage, otherHomePages))
        return "Another web report writes its pages to " + m_homePage + ". Please choose another home page.";
    for (int level = 1; level <= GetLevelCount(); ++level) {
        const CString& file = GetLevel(level).templateFile;
        const CString which = kLevelNames[level - 1];
        if (CStringUtils::IsEffectivelyEmpty(file))
            return "Choose the HTML template of level " + which + ".";
        if (!CFileUtils::DoesFileExist(file))
            return "The HTML template of level " + which + " does not exist: " + file;
    }
    return CString();
}

void CCustomWebReportEditor::Store(CCustomWebReport& report, const CLibrary& library) const
{
    StoreCommon(report, library);
    report.SetIncludeDuplicates(m_includeDuplicates);
    while (report.GetPageLevelCount() > GetLevelCount())
        report.RemovePageLevel(report.GetPageLevelCount());
    for (int level = 1; level <= GetLevelCount(); ++level) {
        const CLevel& settings = GetLevel(level);
        report.SetPageLevel(level, settings.templateFile, settings.sortProp1, settings.sortProp2);
    }
    report.SetHomePage(m_homePage, true);
}
