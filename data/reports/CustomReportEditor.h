#pragma once
// The report windows' working copies of a report definition. What printed
// and web reports share (name, media types, categories, the properties
// offered) lives in CCustomReportEditor; each kind adds its own parts. The
// editors check a definition before it is kept and write it into a report
// in one step, so a cancelled window changes nothing.

#include <set>
#include <vector>

#include "data/store/MediaTypeSelection.h"
#include "platform/util/VemoTypes.h"

class CCustomPrintReport;
class CCustomReport;
class CCustomWebReport;
class CLibrary;

class CCustomReportEditor {
public:
    virtual ~CCustomReportEditor() = default;

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    CMediaTypeSelection& GetMediaTypes() { return m_mediaTypes; }
    const CMediaTypeSelection& GetMediaTypes() const { return m_mediaTypes; }
    bool IsCategorySelected(int id) const { return m_categories.count(id) > 0; }
    void SetCategorySelected(int id, bool selected);
    void SelectAllCategories(const CLibrary& library);
    int GetSelectedCategoryCount() const { return static_cast<int>(m_categories.size()); }

    // The data properties of the selected media types (media items' first,
    // then their sub-items'), then the custom field names of those types,
    // each once.
    void GetAvailableProps(const CLibrary& library, CStringArray& props) const;

protected:
    CCustomReportEditor() = default;
    // A category counts as selected when it is in either of the report's sets.
    void LoadCommon(const CCustomReport& report, const CLibrary& library);
    // Name, media types; the categories of the library as selected here.
    void StoreCommon(CCustomReport& report, const CLibrary& library) const;
    // "" or why the definition cannot be kept: a blank name, the name of
    // another report (ignoring case), no media type, no category.
    CString CheckCommon(const std::vector<CString>& otherNames) const;

private:
    CString m_name;
    CMediaTypeSelection m_mediaTypes;
    std::set<int> m_categories;
};

class CCustomPrintReportEditor : public CCustomReportEditor {
public:
    static constexpr int SORT_KEY_COUNT = 4;

    struct CSortKey {
        CString prop; // "" for none
        bool descending = false;
    };

    // A new report: no media type, no category, no column, no sort.
    CCustomPrintReportEditor() = default;
    CCustomPrintReportEditor(const CCustomPrintReport& report, const CLibrary& library);

    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const CString& GetColumnAt(int index) const { return m_columns.at(static_cast<std::size_t>(index)); }
    const std::vector<CString>& GetColumns() const { return m_columns; }
    // False for an empty property or one listed already.
    bool AddColumn(const CString& prop);
    bool RemoveColumn(int index);
    // Moves the column at from to position to; false outside the columns.
    bool MoveColumn(int from, int to);
    // The default columns of the selected media types ("Media" first when
    // there are several), as a new report of them would have.
    void UseDefaultColumns(CLibrary& library);

    const CSortKey& GetSortKey(int key) const { return m_sortKeys[key]; }
    void SetSortKey(int key, const CString& prop, bool descending);

    // "" or why the report cannot be kept: the common reasons, or no column.
    CString Check(const std::vector<CString>& otherNames) const;
    // Writes the definition into report (its items are left alone).
    void Store(CCustomPrintReport& report, const CLibrary& library) const;

private:
    std::vector<CString> m_columns;
    CSortKey m_sortKeys[SORT_KEY_COUNT];
};

class CCustomWebReportEditor : public CCustomReportEditor {
public:
    static constexpr int MAX_LEVELS = 3;

    struct CLevel {
        CString templateFile; // full path
        CString sortProp1;
        CString sortProp2;
    };

    // A new report: one empty level, duplicates included.
    CCustomWebReportEditor();
    explicit CCustomWebReportEditor(const CCustomWebReport& report, const CLibrary& library);

    int GetLevelCount() const { return static_cast<int>(m_levels.size()); }
    // Adds empty levels or drops the deepest ones; count 1..MAX_LEVELS.
    void SetLevelCount(int count);
    // level is 1-based.
    const CLevel& GetLevel(int level) const { return m_levels.at(static_cast<std::size_t>(level - 1)); }
    void SetLevel(int level, const CLevel& settings);

    bool GetIncludeDuplicates() const { return m_includeDuplicates; }
    void SetIncludeDuplicates(bool include) { m_includeDuplicates = include; }
    const CString& GetHomePage() const { return m_homePage; }
    void SetHomePage(const CString& path) { m_homePage = path; }

    // outputDir + the name made safe as a file name + ".htm"; "" for a
    // blank name.
    static CString SuggestHomePage(const CString& outputDir, const CString& name);
    // The templates a level can use: the .htm and .html files of folder,
    // sorted by name.
    static void ListTemplates(const CString& folder, CStringArray& names);

    // "" or why the report cannot be kept: the common reasons, a home page
    // without folder or file name, the home page of another web report
    // (their pages would overwrite each other), a level without a template
    // file or whose template does not exist.
    CString Check(const std::vector<CString>& otherNames, const std::vector<CString>& otherHomePages) const;
    // Writes the definition into report; pages written before move to a
    // new home page.
    void Store(CCustomWebReport& report, const CLibrary& library) const;

private:
    std::vector<CLevel> m_levels;
    bool m_includeDuplicates = true;
    CString m_homePage;
};
