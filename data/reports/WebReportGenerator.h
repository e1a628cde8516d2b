#pragma once
// Writes the pages of one web report run: fills each level's template for
// the items and groups of that level, recurses into the groups, copies the
// pictures and the stylesheet next to the pages and deletes the pages that
// earlier runs left behind. A page whose file already holds exactly the new
// content is left untouched. Item values are escaped for the place in the
// page they land in (CHtmlValueEscaper): they never turn into markup or
// tags, and never give a link an address that runs script.

#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/reports/PageWriter.h"
#include "data/reports/ReportSort.h"
#include "data/reports/WebPageNames.h"
#include "platform/util/VemoTypes.h"

class CCustomWebReport;
class CItem;
class CLibraryImpl;
class CWebReportTags;

class CWebReportGenerator {
public:
    // The stylesheet the default templates link to; copied from a
    // template's folder into the output folder when present there.
    static const CString STYLESHEET_NAME;

    // Progress: (first value, second value).
    using CProgress = std::function<void(long long, long long)>;

    CWebReportGenerator(const CCustomWebReport& report, const CLibraryImpl* library, CProgress progress);
    ~CWebReportGenerator();
    CWebReportGenerator(const CWebReportGenerator&) = delete;
    CWebReportGenerator& operator=(const CWebReportGenerator&) = delete;

    // Reads the template of every level; 0 on success, else the 1-based
    // level whose template could not be read.
    int ReadTemplates();
    // Generates the pages for items (already filtered and, where level 1
    // asks for it, swapped for sub-items) and tidies the output folder. The error text is empty unless a
    // page could not be written.
    void Generate(const std::vector<CItem*>& items);
    const CString& GetErrorMsg() const { return m_errorMsg; }

    // What happened to the pages (file names).
    const std::unordered_set<CString>& GetPagesWritten() const { return m_pagesWritten; }
    const std::unordered_set<CString>& GetPagesUnchanged() const { return m_pagesUnchanged; }

    // Splits lines at the first beginTag ... endTag block: the lines before
    // it, the block's content and the lines after it. Text beside a tag on
    // its line becomes a line of its own (dropped when blank). Without an
    // end tag the block runs to the end when openEnded, else nothing is
    // found. Returns whether a block was found.
    static bool SplitBlock(const CStringList& lines, const CString& beginTag, const CString& endTag,
        CStringList& before, CStringList& inner, CStringList& after, bool openEnded);

private:
    struct CLevel;
    struct CContext;
    struct CGroup;
    struct CPiece;
    struct CPart;
    struct CValues;
    // What a part of a template asks of an item, worked out once per part.
    struct CNeeds {
        bool anyTag = false;
        bool customTags = false;
        bool imageBlock = false;
        bool urlBlock = false;
        bool subBlocks[3] = {};
        std::vector<CString> props;
    };
    // What a property tag asks for when it meets an item.
    struct CItemTag {
        const CString* tag;
        const CString* prop;
        // Block properties (picture, links) are filled by their blocks.
        bool block;
        // Tags of sub-item properties stay for the sub-items of a medium.
        bool subItemProp;
    };
    CNeeds Analyse(const CStringList& lines) const;
    // The lines with what they ask for and their sub-item blocks split out,
    // so that each item only puts the pieces together.
    CPart MakePart(const CStringList& lines) const;

    void ProcessLevel(int level, const std::vector<CReportSort::CRow>& rows, const CString& pageName,
        const CString& backName, const std::vector<CString>& prefix);
    std::vector<CGroup> MakeGroups(
        int level, const std::vector<CReportSort::CRow>& rows, const std::vector<CString>& prefix);
    // The items of a level's page in its order, with their sort values;
    // swapped for sub-items first when swap is set and the level asks.
    std::vector<CReportSort::CRow> PrepareForLevel(int level, std::vector<CItem*> items, bool swap) const;
    bool IsDuplicate(const CItem* previous, const CItem* item) const;

    CStringList Convert(const CPart& part, const CItem* item, const CContext& context);
    void AppendPieces(const std::vector<CPiece>& pieces, const CItem* item, const CString links[],
        const CContext& context, CStringList& out);
    // Splits the link blocks out of the plain pieces; true when a link
    // block is left that the pieces could not take out.
    bool SplitUrlBlocks(std::vector<CPiece>& pieces) const;
    void FillPictureBlock(CStringList& lines, const CValues& values);
    void FillUrlBlocks(CStringList& lines, const CString links[]) const;
    void ReplaceItemTags(CStringList& lines, const CItem* item, const CValues& values) const;
    void ReplaceCustomFieldTags(CStringList& lines, const CItem* item) const;
    void ReplaceFixedTags(CStringList& lines, const CContext& context) const;
    void Clean(CStringList& lines) const;
    CString PictureName(const CString& path);

    void WritePage(const CString& pageName, const CStringList& lines);
    void CommitPages();
    void PageFailed();
    void CopyFiles();
    void DeleteStalePages();
    void Progress(long long first, long long second) const;

    const CCustomWebReport& m_report;
    const CLibraryImpl* m_library;
    CProgress m_progress;
    const CWebReportTags& m_tags;
    // Property tags by their text, for the look-up of every tag of every item.
    std::unordered_map<std::string_view, CItemTag> m_itemTags;
    CString m_outputDir;
    CWebPageNames m_names;
    CPageWriter m_writer;
    std::vector<CLevel> m_levels;
    long long m_progressIndex = 0;
    CString m_errorMsg;

    // Picture source path to its file name in the output folder, and the
    // names taken (lower-cased).
    std::unordered_map<CString, CString> m_pictures;
    std::unordered_set<CString> m_pictureNames;
    std::unordered_set<CString> m_pagesWritten;
    std::unordered_set<CString> m_pagesUnchanged;
};
