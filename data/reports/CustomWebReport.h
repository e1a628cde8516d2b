#pragma once
// A web report: linked HTML pages made from templates, one template and two
// sort properties per page level (at most three levels), written under the
// folder of its home page. Layout of the record: docs/file-format.md.

#include "data/reports/CustomReport.h"

class CCustomWebReport : public CCustomReport {
public:
    static constexpr int MAX_LEVELS = 3;

    // One level with empty template and sort properties; duplicates included.
    CCustomWebReport();
    CCustomWebReport(const CCustomWebReport& source) = default;
    CCustomWebReport& operator=(const CCustomWebReport& source) = default;
    ~CCustomWebReport() override = default;

    // Writes the report's pages for items (filtered, swapped for sub-items
    // and sorted here) under the home page's folder. The outcome is the run
    // error message: empty when every page was written or found unchanged.
    // progress receives (message, 0, 100) after the templates are read, (1,
    // item count) after filtering, (2, index) per item of level 1 and (3, 0)
    // at a normal end.
    void Run(CItemList& items, CLibraryImpl* library, unsigned int message, const CProgressCallback& progress) override;
    // Record: the CCustomReport record, then version word (2), include
    // duplicates (boolean), home page, [version 1 only: an obsolete string,
    // read and dropped], level count, and per level the template file and
    // the two sort properties.
    void Serialize(CArchive& ar) override;
    // The same record in its version 1 form (the earlier file format).
    void SerializeVersion1(CArchive& ar);

    bool GetIncludeDuplicates() const { return m_includeDuplicates; }
    void SetIncludeDuplicates(bool include) { m_includeDuplicates = include; }

    // Full path of the first-level page; its folder is the output folder.
    const CString& GetHomePage() const { return m_homePage; }
    // Ignored when path is effectively empty or equals the current one
    // ignoring case. The existing pages and the home page move along when
    // moveFiles is set and the folder changes; else they are renamed in
    // their folder when the file name changes. A move that fails is logged
    // and skipped (nothing is ever overwritten).
    void SetHomePage(const CString& path, bool moveFiles);
    // Whether the output folder holds the home page or deeper pages of this
    // report.
    bool HaveOutputFiles() const;
    // The library of the latest run (null before the first).
    CLibraryImpl* GetLibrary() const { return m_library; }

    int GetPageLevelCount() const { return static_cast<int>(m_templateFiles.GetSize()); }
    // level is 1-based; "" for a level that does not exist.
    CString GetTemplateFile(int level) const { return At(m_templateFiles, level); }
    CString GetSortProp1(int level) const { return At(m_sortProps1, level); }
    CString GetSortProp2(int level) const { return At(m_sortProps2, level); }
    // Sets level (1..3), adding empty levels before it as needed.
    void SetPageLevel(int level, const CString& templateFile, const CString& sortProp1, const CString& sortProp2);
    // Removes the level; later levels move up. Nothing for a level not held.
    void RemovePageLevel(int level);

    // The link tags of "Electronic File or URL", "Online URL", "Publisher URL".
    const CString& GetLinkTag(int index) const { return m_linkTags[index]; }

    // A property's template tag: "{" + name + "}" upper-cased, blanks, "/"
    // and "-" made "_", "_#" made "#", "_&_" made "&", "." and "?" removed.
    static CString MakeTagFromProperty(const CString& prop);
    // Appends every tag templates may use, in table order.
    static void GetSupportedTags(CStringList& tags);

private:
    void SerializeBody(CArchive& ar, WORD version);
    // The existing deeper pages of the report (file names).
    void ListExistingPages(CStringList& names) const;
    void Progress(long long first, long long second) const;
    static CString At(const CStringArray& arr, int level)
    {
        return level >= 1 && level <= arr.GetSize() ? arr.GetAt(level - 1) : CString();
    }

    bool m_includeDuplicates = true;
    CLibraryImpl* m_library = nullptr;
    CString m_homePage;
    CString m_linkTags[3];
    CStringArray m_templateFiles;
    CStringArray m_sortProps1;
    CStringArray m_sortProps2;
    // The run state (templates, pictures, pages) lives in the generator of
    // each run.
};
