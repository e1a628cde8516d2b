#include "data/reports/WebReportGenerator.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>

#include "data/model/Book.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/Track.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/ReportSort.h"
#include "data/reports/WebReportTags.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryImpl.h"
#include "net/HtmlUtils.h"
#include "net/HtmlValueEscaper.h"
#include "net/TagConvUtils.h"
#include "platform/util/AppLogger.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

const CString CWebReportGenerator::STYLESHEET_NAME = "webreport.css";

namespace {

using U = CMediaUtils;
using T = CWebReportTags;

const char* const LOG_PAGE_NOT_WRITTEN = "{F319AC3F-61C3-46E3-B8BC-585AEFCE1E5C}";
const char* const LOG_FILE_NOT_COPIED = "{4B1E7D52-9A3C-4F0E-B6D8-2C5A71E93F04}";
const char* const LOG_PAGE_NOT_DELETED = "{A7D3F0C1-5E28-4B96-8F14-D09C6B2E7A35}";
// A copy goes through a temporary file named after the picture plus 11 bytes.
constexpr std::size_t MAX_PICTURE_NAME_BYTES = 255 - 11;
const char* const MSG_PAGE_NOT_WRITTEN = "VemoLibrary was unable to generate one of the web report's pages.";

// Braces are written as references, so that a value never reads as a tag.
CString EscapeBraces(CString text)
{
    if (text.find_first_of("{}") == CString::npos)
        return text;
    CStringUtils::Replace(text, "{", "&#123;");
    CStringUtils::Replace(text, "}", "&#125;");
    return text;
}

// Marked, so that the page is escaped further where the value lands in a
// tag or a script.
CString EscapeValue(const CString& value)
{
    return CHtmlValueEscaper::Mark(EscapeBraces(CHtmlUtils::EscapeText(value)));
}

// A link address taken from an item, ready for an href attribute; "" for a
// scheme that could run script or do harm ("javascript:", "data:" ...).
CString SafeLink(const CString& value)
{
    const CString url = CStringUtils::Trim(value);
    if (url.empty())
        return url;
    const std::size_t colon = url.find(':');
    const std::size_t stop = url.find_first_of("/?#");
    CString address = url;
    if (colon != CString::npos && (stop == CString::npos || colon < stop)) {
        const CString scheme = CStringUtils::ToLower(url.substr(0, colon));
        if (scheme.size() == 1 && std::isalpha(static_cast<unsigned char>(scheme[0]))) {
            CString path = url;
            CStringUtils::Replace(path, "\\", "/");
            address = "file:///" + CHtmlUtils::EscapeUrlPath(path);
        } else if (scheme != "http" && scheme != "https" && scheme != "ftp" && scheme != "mailto" && scheme != "file") {
            return CString();
        }
    } else if (url[0] == '/') {
        address = "file://" + CHtmlUtils::EscapeUrlPath(url);
    }
    return EscapeBraces(CHtmlUtils::EscapeAttribute(address));
}

bool HasTagIn(const CStringList& lines, const CString& tag)
{
    for (const CString& line : lines)
        if (CTagConvUtils::HaveAnyTag(line) && line.find(tag) != CString::npos)
            return true;
    return false;
}

void AddUnlessBlank(CStringList& lines, const CString& text)
{
    if (!CStringUtils::IsEffectivelyEmpty(text))
        lines.AddTail(text);
}

// The kinds of sub-item blocks.
enum class SubKind { chapters, tracks, articles };

SubKind KindOf(const CMediaSubItem* sub)
{
    if (dynamic_cast<const CBookChapter*>(sub))
        return SubKind::chapters;
    if (dynamic_cast<const CMagazineArticle*>(sub))
        return SubKind::articles;
    return SubKind::tracks;
}

struct CSubBlock {
    SubKind kind;
    const CString* begin;
    const CString* end;
    const CString* beginRepeat;
    const CString* endRepeat;
};

const CSubBlock SUB_BLOCKS[] = {
    { SubKind::chapters, &T::TAG_CHAPTERS_BEGIN, &T::TAG_CHAPTERS_END, &T::TAG_CHAPTERS_BEGIN_REPEAT,
        &T::TAG_CHAPTERS_END_REPEAT },
    { SubKind::tracks, &T::TAG_TRACKS_BEGIN, &T::TAG_TRACKS_END, &T::TAG_TRACKS_BEGIN_REPEAT,
        &T::TAG_TRACKS_END_REPEAT },
    { SubKind::articles, &T::TAG_ARTICLES_BEGIN, &T::TAG_ARTICLES_END, &T::TAG_ARTICLES_BEGIN_REPEAT,
        &T::TAG_ARTICLES_END_REPEAT },
};

const CString* const LINK_PROPS[] = { &U::MEDIA_PROP_EFILEURL, &U::MEDIA_PROP_ONLINEURL, &U::MEDIA_PROP_PUBLISHERURL };

bool IsBlockProp(const CString& prop)
{
    if (prop == U::MEDIA_PROP_REPORTIMAGEFILE || prop == U::MEDIA_PROP_REPORTIMAGEWIDTH
        || prop == U::MEDIA_PROP_REPORTIMAGEHEIGHT)
        return true;
    for (const CString* link : LINK_PROPS)
        if (prop == *link)
            return true;
    return false;
}

} // namespace

// A piece of a template part: plain lines, a sub-item block (kept whole or
// dropped, by the kind of the item's sub-items) or a block's repeated part,
// converted once per sub-item.
struct CWebReportGenerator::CPiece {
    int block = -1; // index into SUB_BLOCKS, -1 when not a block
    // A link block: its lines are kept when a link it names has a value.
    bool url = false;
    bool names[3] = {};
    CStringList lines;
    std::vector<CPiece> children;
    std::shared_ptr<const CPart> repeated;
};

struct CWebReportGenerator::CPart {
    CStringList lines;
    CNeeds needs;
    // The lines split at their sub-item and link blocks; empty when they
    // hold none.
    std::vector<CPiece> pieces;
    // A link block the split could not take out (one spanning a sub-item
    // block) is left to the lines.
    bool urlBlocksLeft = false;
};

// The values fetched for an item, by property.
struct CWebReportGenerator::CValues {
    const std::vector<CString>& props;
    std::vector<CString> values;

    const CString* Find(const CString& prop) const
    {
        for (std::size_t i = 0; i < props.size(); ++i)
            if (props[i] == prop)
                return &values[i];
        return nullptr;
    }
};

// One page level: its template split at the repeat blocks, and what the
// template asks of the items.
struct CWebReportGenerator::CLevel {
    struct CSegment {
        bool repeat;
        CPart part;
    };
    CString templateFile;
    CString sortProp1;
    CString sortProp2;
    std::vector<CSegment> segments;
};

// What a conversion puts into the fixed tags.
struct CWebReportGenerator::CContext {
    int level = 1;
    CString forwardLink;
    CString backLink;
    int count = 0;
    bool fixedTags = true;
};

struct CWebReportGenerator::CGroup {
    std::vector<CItem*> items;
    CString value1;
    CString value2;
    CString pageName;
};

CWebReportGenerator::CWebReportGenerator(
    const CCustomWebReport& report, const CLibraryImpl* library, CProgress progress)
    : m_report(report)
    , m_library(library)
    , m_progress(std::move(progress))
    , m_tags(*CWebReportTags::GetInstance())
    , m_outputDir(CFileUtils::ParseDirFromPath(report.GetHomePage()))
    , m_names(report.GetHomePage())
    , m_writer(m_outputDir, report.GetHomePage())
{
    for (const auto& [tag, prop] : m_tags.GetTags())
        if (!prop.empty())
            m_itemTags.emplace(std::string_view(tag),
                CItemTag { &tag, &prop, IsBlockProp(prop), U::IsDataPropSubItemProp(prop, false) });
}

CWebReportGenerator::~CWebReportGenerator() = default;

void CWebReportGenerator::Progress(long long first, long long second) const
{
    if (m_progress)
        m_progress(first, second);
}

bool CWebReportGenerator::SplitBlock(const CStringList& lines, const CString& beginTag, const CString& endTag,
    CStringList& before, CStringList& inner, CStringList& after, bool openEnded)
{
    before.RemoveAll();
    inner.RemoveAll();
    after.RemoveAll();
    enum { searching, inside, done } state = searching;
    for (const CString& line : lines) {
        if (state == done) {
            after.AddTail(line);
            continue;
        }
        CString rest = line;
        if (state == searching) {
            const std::size_t begin = CTagConvUtils::HaveAnyTag(line) ? line.find(beginTag) : CString::npos;
            if (begin == CString::npos) {
                before.AddTail(line);
                continue;
            }
            AddUnlessBlank(before, line.substr(0, begin));
            rest = line.substr(begin + beginTag.size());
            state = inside;
        }
        const std::size_t end = rest.find(endTag);
        if (end == CString::npos) {
            AddUnlessBlank(inner, rest);
            continue;
        }
        AddUnlessBlank(inner, rest.substr(0, end));
        AddUnlessBlank(after, rest.substr(end + endTag.size()));
        state = done;
    }
    if (state == searching || (state == inside && !openEnded)) {
        before.RemoveAll();
        inner.RemoveAll();
        after.RemoveAll();
        return false;
    }
    return true;
}

int CWebReportGenerator::ReadTemplates()
{
    m_levels.clear();
    const int count = std::min(m_report.GetPageLevelCount(), CCustomWebReport::MAX_LEVELS);
    for (int level = 1; level <= count; ++level) {
        CLevel data;
        data.templateFile = m_report.GetTemplateFile(level);
        data.sortProp1 = m_report.GetSortProp1(level);
        data.sortProp2 = m_report.GetSortProp2(level);
        CStringList lines;
        if (!CFileUtils::ReadFileContent(data.templateFile, lines))
            return level;
        // Only values carry the markers.
        for (CString& line : lines)
            CHtmlValueEscaper::StripMarks(line);

        // Plain and repeated parts, in template order.
        CStringList rest = lines;
        CStringList before, inner, after;
        while (SplitBlock(rest, T::TAG_REPEAT_BEGIN, T::TAG_REPEAT_END, before, inner, after, true)) {
            data.segments.push_back({ false, MakePart(before) });
            data.segments.push_back({ true, MakePart(inner) });
            rest = after;
        }
        data.segments.push_back({ false, MakePart(rest) });
        m_levels.push_back(std::move(data));
    }
    return 0;
}

void CWebReportGenerator::Generate(const std::vector<CItem*>& items)
{
    m_errorMsg.clear();
    if (items.empty() || m_levels.empty())
        return;
    CDirUtils::CreateDir(m_outputDir);
    m_writer.RemoveLeftovers();
    ProcessLevel(1, PrepareForLevel(1, items, false), m_names.GetHomeName(), CString(), {});
    CommitPages();
    CopyFiles();
    if (!m_pagesWritten.empty() || !m_pagesUnchanged.empty())
        DeleteStalePages();
}

bool CWebReportGenerator::IsDuplicate(const CItem* previous, const CItem* item) const
{
    return !m_report.GetIncludeDuplicates() && previous && item && *previous == *item;
}

std::vector<CReportSort::CRow> CWebReportGenerator::PrepareForLevel(
    int level, std::vector<CItem*> items, bool swap) const
{
    const CLevel& data = m_levels[level - 1];
    const CString& prop = data.sortProp1.empty() ? data.sortProp2 : data.sortProp1;
    if (swap && CCustomReport::PropCallsForSubItems(prop, m_report.GetMediaIDs(), m_library)) {
        std::vector<CItem*> swapped;
        swapped.reserve(items.size());
        for (CItem* item : items) {
            const auto* media = dynamic_cast<const CMediaItem*>(item);
            if (!media || media->GetSubItemCount() == 0) {
                swapped.push_back(item);
                continue;
            }
            for (POSITION pos = media->GetHeadSubItem(); pos;)
                swapped.push_back(media->GetNextSubItem(pos));
        }
        items.swap(swapped);
    }
    return CReportSort::SortRows(items, { data.sortProp1, data.sortProp2 }, m_library);
}

std::vector<CWebReportGenerator::CGroup> CWebReportGenerator::MakeGroups(
    int level, const std::vector<CReportSort::CRow>& rows, const std::vector<CString>& prefix)
{
    const CLevel& data = m_levels[level - 1];
    const bool groupable = !data.sortProp1.empty() || !data.sortProp2.empty();
    std::vector<CGroup> groups;
    for (const CReportSort::CRow& row : rows) {
        const CString& value1 = row.values[0];
        const CString& value2 = row.values[1];
        if (groups.empty() || !groupable || groups.back().value1 != value1 || groups.back().value2 != value2)
            groups.push_back({ {}, value1, value2, CString() });
        else if (IsDuplicate(groups.back().items.back(), row.item))
            continue;
        groups.back().items.push_back(row.item);
    }
    for (CGroup& group : groups) {
        std::vector<CString> values = prefix;
        values.push_back(group.value1);
        values.push_back(group.value2);
        group.pageName = m_names.Allocate(level + 1, values);
    }
    return groups;
}

void CWebReportGenerator::ProcessLevel(int level, const std::vector<CReportSort::CRow>& rows, const CString& pageName,
    const CString& backName, const std::vector<CString>& prefix)
{
    if (rows.empty())
        return;
    const CLevel& data = m_levels[level - 1];
    const bool last = level == static_cast<int>(m_levels.size());
    std::vector<CGroup> groups;
    if (!last)
        groups = MakeGroups(level, rows, prefix);

    CContext pageContext;
    pageContext.level = level;
    pageContext.backLink = backName;
    pageContext.forwardLink = groups.empty() ? CString() : groups.front().pageName;

    CStringList page;
    bool childrenMade = false;
    for (const CLevel::CSegment& segment : data.segments) {
        if (!segment.repeat) {
            CStringList lines = Convert(segment.part, rows.front().item, pageContext);
            page.SpliceTail(lines);
            continue;
        }
        const bool first = !childrenMade;
        childrenMade = true;
        if (last) {
            const CItem* previous = nullptr;
            for (const CReportSort::CRow& row : rows) {
                if (level == 1 && first)
                    Progress(2, m_progressIndex++);
                if (IsDuplicate(previous, row.item))
                    continue;
                previous = row.item;
                CContext context = pageContext;
                context.forwardLink.clear();
                CStringList lines = Convert(segment.part, row.item, context);
                page.SpliceTail(lines);
            }
            continue;
        }
        for (CGroup& group : groups) {
            if (level == 1 && first)
                for (std::size_t i = 0; i < group.items.size(); ++i)
                    Progress(2, m_progressIndex++);
            CContext context = pageContext;
            context.forwardLink = group.pageName;
            context.count = static_cast<int>(group.items.size());
            CStringList lines = Convert(segment.part, group.items.front(), context);
            page.SpliceTail(lines);
            if (!first)
                continue;
            std::vector<CString> values = prefix;
            values.push_back(group.value1);
            values.push_back(group.value2);
            ProcessLevel(level + 1, PrepareForLevel(level + 1, group.items, true), group.pageName, pageName, values);
        }
    }
    Clean(page);
    WritePage(pageName, page);
}

CWebReportGenerator::CNeeds CWebReportGenerator::Analyse(const CStringList& lines) const
{
    CNeeds needs;
    std::unordered_set<CString> seen;
    auto want = [&](const CString& prop) {
        if (seen.insert(prop).second)
            needs.props.push_back(prop);
    };
    for (const CString& line : lines) {
        if (!CTagConvUtils::HaveAnyTag(line))
            continue;
        needs.anyTag = true;
        for (std::size_t open = line.find('{'); open != CString::npos; open = line.find('{', open + 1)) {
            const std::size_t close = line.find('}', open);
            if (close == CString::npos)
                break;
            const CString tag = line.substr(open, close - open + 1);
            if (const CString* prop = m_tags.FindProperty(tag)) {
                want(*prop);
            } else if (tag == T::TAG_IMAGE_BEGIN) {
                needs.imageBlock = true;
                for (const CString* picture : { &U::MEDIA_PROP_REPORTIMAGEFILE, &U::MEDIA_PROP_REPORTIMAGEWIDTH,
                         &U::MEDIA_PROP_REPORTIMAGEHEIGHT })
                    want(*picture);
            } else if (tag == T::TAG_URL_BEGIN) {
                needs.urlBlock = true;
                for (const CString* link : LINK_PROPS)
                    want(*link);
            } else if (tag.compare(0, 7, "{CUSTOM") == 0) {
                needs.customTags = true;
            }
            for (std::size_t b = 0; b < std::size(SUB_BLOCKS); ++b)
                if (tag == *SUB_BLOCKS[b].begin)
                    needs.subBlocks[b] = true;
        }
    }
    return needs;
}

CWebReportGenerator::CPart CWebReportGenerator::MakePart(const CStringList& lines) const
{
    CPart part { lines, Analyse(lines), {}, false };
    const CNeeds& needs = part.needs;
    if (!needs.urlBlock
        && !std::any_of(std::begin(needs.subBlocks), std::end(needs.subBlocks), [](bool b) { return b; }))
        return part;
    auto text = [](const CStringList& text) {
        CPiece piece;
        piece.lines = text;
        return piece;
    };
    // Each kind of block in turn, in the plain pieces the kinds before it
    // left; a block of one kind does not span a block of another.
    std::vector<CPiece> pieces;
    pieces.push_back(text(lines));
    for (std::size_t b = 0; b < std::size(SUB_BLOCKS); ++b) {
        const CSubBlock& block = SUB_BLOCKS[b];
        if (!needs.subBlocks[b])
            continue;
        std::vector<CPiece> next;
        for (CPiece& piece : pieces) {
            if (piece.block >= 0 || !HasTagIn(piece.lines, *block.begin)) {
                next.push_back(std::move(piece));
                continue;
            }
            CStringList rest = piece.lines, before, inner, after;
            while (SplitBlock(rest, *block.begin, *block.end, before, inner, after, false)) {
                next.push_back(text(before));
                CPiece found;
                found.block = static_cast<int>(b);
                CStringList blockRest = inner, repeatBefore, repeated, repeatAfter;
                while (SplitBlock(
                    blockRest, *block.beginRepeat, *block.endRepeat, repeatBefore, repeated, repeatAfter, false)) {
                    found.children.push_back(text(repeatBefore));
                    CPiece repeat;
                    repeat.repeated = std::make_shared<const CPart>(MakePart(repeated));
                    found.children.push_back(std::move(repeat));
                    blockRest = repeatAfter;
                }
                found.children.push_back(text(blockRest));
                next.push_back(std::move(found));
                rest = after;
            }
            next.push_back(text(rest));
        }
        pieces = std::move(next);
    }
    if (needs.urlBlock) {
        part.urlBlocksLeft = SplitUrlBlocks(pieces);
    }
    part.pieces = std::move(pieces);
    return part;
}

bool CWebReportGenerator::SplitUrlBlocks(std::vector<CPiece>& pieces) const
{
    bool left = false;
    std::vector<CPiece> next;
    for (CPiece& piece : pieces) {
        if (piece.block >= 0)
            left = SplitUrlBlocks(piece.children) || left;
        if (piece.block >= 0 || piece.repeated || !HasTagIn(piece.lines, T::TAG_URL_BEGIN)) {
            next.push_back(std::move(piece));
            continue;
        }
        CStringList rest = piece.lines, before, inner, after;
        while (SplitBlock(rest, T::TAG_URL_BEGIN, T::TAG_URL_END, before, inner, after, false)) {
            next.emplace_back().lines = before;
            CPiece& block = next.emplace_back();
            block.url = true;
            for (int i = 0; i < 3; ++i)
                block.names[i] = HasTagIn(inner, m_report.GetLinkTag(i));
            block.lines = inner;
            rest = after;
        }
        // A begin tag still here has no end tag in this piece.
        left = left || HasTagIn(rest, T::TAG_URL_BEGIN);
        next.emplace_back().lines = rest;
    }
    pieces = std::move(next);
    return left;
}

CStringList CWebReportGenerator::Convert(const CPart& part, const CItem* item, const CContext& context)
{
    const CNeeds& needs = part.needs;
    if (!item || !needs.anyTag)
        return part.lines;

    // The values the lines ask for, fetched in one look at the item (the
    // properties of blocks left out are fetched for nothing).
    std::vector<const CString*> keys;
    keys.reserve(needs.props.size());
    for (const CString& prop : needs.props)
        keys.push_back(&prop);
    CValues values { needs.props, std::vector<CString>(needs.props.size()) };
    // Plain data, as GetData gives it: custom fields have tags of their own.
    CReportSort::GetValues(item, keys.data(), static_cast<int>(keys.size()), nullptr, values.values.data());
    CString links[3];
    if (needs.urlBlock)
        for (int i = 0; i < 3; ++i)
            if (const CString* value = values.Find(*LINK_PROPS[i]))
                links[i] = CHtmlValueEscaper::Mark(SafeLink(*value));

    CStringList result;
    if (part.pieces.empty())
        result = part.lines;
    else
        AppendPieces(part.pieces, item, links, context, result);
    if (needs.imageBlock)
        FillPictureBlock(result, values);
    if (part.urlBlocksLeft)
        FillUrlBlocks(result, links);
    ReplaceItemTags(result, item, values);
    if (needs.customTags)
        ReplaceCustomFieldTags(result, item);
    if (context.fixedTags)
        ReplaceFixedTags(result, context);
    return result;
}

void CWebReportGenerator::AppendPieces(const std::vector<CPiece>& pieces, const CItem* item, const CString links[],
    const CContext& context, CStringList& out)
{
    const auto* media = dynamic_cast<const CMediaItem*>(item);
    for (const CPiece& piece : pieces) {
        if (piece.repeated) {
            // Only inside a block the medium's sub-items are of.
            CContext subContext = context;
            subContext.fixedTags = false;
            for (POSITION pos = media->GetHeadSubItem(); pos;) {
                CStringList lines = Convert(*piece.repeated, media->GetNextSubItem(pos), subContext);
                out.SpliceTail(lines);
            }
        } else if (piece.block >= 0) {
            if (!media || media->GetSubItemCount() == 0)
                continue;
            POSITION pos = media->GetHeadSubItem();
            if (KindOf(media->GetNextSubItem(pos)) == SUB_BLOCKS[piece.block].kind)
                AppendPieces(piece.children, item, links, context, out);
        } else if (piece.url) {
            // Each block stands or falls with the links it names itself.
            bool keep = false;
            for (int i = 0; i < 3; ++i)
                keep = keep || (piece.names[i] && !links[i].empty());
            if (!keep)
                continue;
            for (const CString& line : piece.lines) {
                CString& added = out.GetAt(out.AddTail(line));
                if (CTagConvUtils::HaveAnyTag(added))
                    for (int i = 0; i < 3; ++i)
                        CTagConvUtils::ReplaceTag(added, m_report.GetLinkTag(i), links[i]);
            }
        } else {
            out.AddTail(piece.lines);
        }
    }
}

CString CWebReportGenerator::PictureName(const CString& path)
{
    auto found = m_pictures.find(path);
    if (found != m_pictures.end())
        return found->second;
    CString name = CFileUtils::ReplaceBadFileChars(CFileUtils::ParseFileNameFromPath(path, true));
    // A picture must never take the place of a page or the stylesheet, nor
    // of another picture of the same name from another folder.
    const CString ext = CStringUtils::ToLower(CFileUtils::ParseExtension(name));
    const bool pageLike = ext == "htm" || ext == "html" || ext == "css";
    if (pageLike || name.size() > MAX_PICTURE_NAME_BYTES
        || !m_pictureNames.insert(CStringUtils::ToLower(name)).second) {
        const CString stem = CStringUtils::TruncateUtf8(CFileUtils::ParseFileNameFromPath(name, false), 200);
        const CString suffix
            = pageLike ? CString(".img") : (ext.empty() ? CString() : CStringUtils::TruncateUtf8("." + ext, 16));
        std::uint32_t hash = 2166136261u;
        for (char c : path)
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        for (std::uint32_t attempt = 0;; ++attempt) {
            name = stem + CStringUtils::Format("_%08x", hash + attempt) + suffix;
            if (m_pictureNames.insert(CStringUtils::ToLower(name)).second)
                break;
        }
    }
    m_pictures.emplace(path, name);
    return name;
}

void CWebReportGenerator::FillPictureBlock(CStringList& lines, const CValues& values)
{
    if (!HasTagIn(lines, T::TAG_IMAGE_BEGIN))
        return;
    const CString* path = values.Find(U::MEDIA_PROP_REPORTIMAGEFILE);
    const CString* width = values.Find(U::MEDIA_PROP_REPORTIMAGEWIDTH);
    const CString* height = values.Find(U::MEDIA_PROP_REPORTIMAGEHEIGHT);
    CString name;
    if (path && !path->empty() && !CFileUtils::ParseFileNameFromPath(*path, true).empty())
        name = PictureName(*path);
    CTagConvUtils::ReplaceImageBlock(lines, T::TAG_IMAGE_BEGIN, T::TAG_IMAGE_END, CHtmlUtils::EscapeUrlPath(name),
        width ? CNumberTextConv::GetNumberFromString(*width) : 0,
        height ? CNumberTextConv::GetNumberFromString(*height) : 0);
}

void CWebReportGenerator::FillUrlBlocks(CStringList& lines, const CString links[]) const
{
    if (!HasTagIn(lines, T::TAG_URL_BEGIN))
        return;
    // Each block stands or falls with the links it holds itself.
    CStringList result, rest = lines, before, inner, after;
    while (SplitBlock(rest, T::TAG_URL_BEGIN, T::TAG_URL_END, before, inner, after, false)) {
        result.AddTail(before);
        bool keep = false;
        for (int i = 0; i < 3; ++i)
            keep = keep || (!links[i].empty() && HasTagIn(inner, m_report.GetLinkTag(i)));
        if (keep) {
            for (CString& line : inner)
                if (CTagConvUtils::HaveAnyTag(line))
                    for (int i = 0; i < 3; ++i)
                        CTagConvUtils::ReplaceTag(line, m_report.GetLinkTag(i), links[i]);
            result.AddTail(inner);
        }
        rest = after;
    }
    result.AddTail(rest);
    lines = result;
}

void CWebReportGenerator::ReplaceItemTags(CStringList& lines, const CItem* item, const CValues& values) const
{
    const bool isMedia = dynamic_cast<const CMediaItem*>(item) != nullptr;
    for (CString& line : lines) {
        std::size_t from = 0;
        for (std::size_t open; (open = line.find('{', from)) != CString::npos;) {
            const std::size_t close = line.find('}', open);
            if (close == CString::npos)
                break;
            const auto known = m_itemTags.find(std::string_view(line).substr(open, close - open + 1));
            if (known == m_itemTags.end() || known->second.block || (isMedia && known->second.subItemProp)) {
                from = open + 1;
                continue;
            }
            const CItemTag& tag = known->second;
            const CString* found = values.Find(*tag.prop);
            // Values that mean nothing ("0", "N", the none category) show as
            // nothing, as in printed reports.
            CString value = found ? *found : CString();
            CCustomReport::AdjustText(*tag.prop, value);
            value = EscapeValue(value);
            if (value.empty()) {
                // Left out, or "(none)" where it names a link.
                CTagConvUtils::ReplaceTitleTag(line, *tag.tag, value);
                from = open;
            } else {
                // Further uses of the tag are met and filled in turn.
                line.replace(open, tag.tag->size(), value);
                // What took the tag's place holds no brace.
                from = open + value.size();
            }
        }
    }
}

void CWebReportGenerator::ReplaceCustomFieldTags(CStringList& lines, const CItem* item) const
{
    if (!m_library)
        return;
    const CCustomFieldMgr* fields = m_library->GetCustomFieldMgr(U::GetItemMediaID(item));
    if (!fields || fields->GetFieldCount() == 0)
        return;
    // Tracks and other sub-items without values of their own show their
    // medium's.
    const CItem* owner = item;
    if (const auto* sub = dynamic_cast<const CMediaSubItem*>(item); sub && sub->GetCategoryID() < 1 && sub->GetParent())
        owner = sub->GetParent();
    CMapStringToString values;
    for (int i = 0; i < fields->GetFieldCount(); ++i)
        values.SetAt(fields->GetFieldAt(i)->GetName(), CString());
    m_library->GatherCustomFieldDataForItem(owner, values);
    for (CString& line : lines) {
        if (line.find("{CUSTOM") == CString::npos)
            continue;
        for (int i = 0; i < fields->GetFieldCount(); ++i) {
            const CCustomField* field = fields->GetFieldAt(i);
            const CString fieldTag = field->GetCustomWebReportFieldTag();
            if (fieldTag.empty())
                continue;
            CTagConvUtils::ReplaceTag(line, fieldTag, EscapeValue(field->GetName()));
            const CString* value = values.PLookup(field->GetName());
            CTagConvUtils::ReplaceTag(line, field->GetCustomWebReportValueTag(), value ? EscapeValue(*value) : "");
        }
    }
}

void CWebReportGenerator::ReplaceFixedTags(CStringList& lines, const CContext& context) const
{
    const CString back = CHtmlUtils::EscapeUrlPath(context.backLink);
    const CString forward = CHtmlUtils::EscapeUrlPath(context.forwardLink);
    const CString name = EscapeValue(m_report.GetName());
    for (CString& line : lines) {
        if (!CTagConvUtils::HaveAnyTag(line))
            continue;
        CTagConvUtils::ReplaceTag(line, T::TAG_BACKLINK, back);
        CTagConvUtils::ReplaceTag(line, T::TAG_FORWARDLINK, forward);
        CTagConvUtils::ReplaceTag(line, T::TAG_WEBREPORT_NAME, name);
        CTagConvUtils::ReplaceTag(line, T::TAG_COUNT_ITEMS_NEXT_PAGE, context.count, false);
    }
}

void CWebReportGenerator::Clean(CStringList& lines) const
{
    for (CString& line : lines) {
        if (!CTagConvUtils::HaveAnyTag(line))
            continue;
        for (const CString* prefix : { &T::TAG_CUSTOMFIELD_PREFIX, &T::TAG_CUSTOMVALUE_PREFIX }) {
            for (std::size_t at; (at = line.find(*prefix)) != CString::npos;) {
                const std::size_t close = line.find('}', at);
                line.erase(at, close == CString::npos ? CString::npos : close - at + 1);
            }
        }
        CTagConvUtils::RemoveAllTags(line, false, m_tags.GetTagList());
    }
}

void CWebReportGenerator::WritePage(const CString& pageName, const CStringList& lines)
{
    const CString text = CHtmlValueEscaper::Finish(CFileUtils::JoinLines(lines));
    if (CFileUtils::IsContentIdentical(m_outputDir + pageName, text))
        m_pagesUnchanged.insert(pageName);
    else if (m_writer.Write(pageName, text))
        m_pagesWritten.insert(pageName);
    else
        PageFailed();
}

void CWebReportGenerator::CommitPages()
{
    CStringList failed;
    if (m_writer.Commit(failed))
        return;
    for (const CString& name : failed) {
        m_pagesWritten.erase(name);
        PageFailed();
    }
}

void CWebReportGenerator::PageFailed()
{
    VemoLog(LOG_PAGE_NOT_WRITTEN);
    m_errorMsg = MSG_PAGE_NOT_WRITTEN;
}

void CWebReportGenerator::CopyFiles()
{
    auto copy = [](const CString& from, const CString& to) {
        if (CFileUtils::AreFilesIdentical(from, to))
            return;
        if (!CFileUtils::CopyFile(from, to, false))
            VemoLog(LOG_FILE_NOT_COPIED);
    };
    for (const auto& [path, name] : m_pictures)
        if (CFileUtils::DoesFileExist(path))
            copy(path, m_outputDir + name);
    for (const CLevel& level : m_levels) {
        const CString stylesheet = CFileUtils::ParseDirFromPath(level.templateFile) + STYLESHEET_NAME;
        if (CFileUtils::DoesFileExist(stylesheet)) {
            copy(stylesheet, m_outputDir + STYLESHEET_NAME);
            break;
        }
    }
}

void CWebReportGenerator::DeleteStalePages()
{
    CStringList names;
    CDirUtils::ListFiles(m_outputDir, "htm", names);
    for (const CString& name : names) {
        if (!CWebPageNames::IsPageOfReport(name, m_names.GetHomeBase()) || m_pagesWritten.count(name)
            || m_pagesUnchanged.count(name))
            continue;
        if (!CFileUtils::DeleteFile(m_outputDir + name))
            VemoLog(LOG_PAGE_NOT_DELETED);
    }
}
