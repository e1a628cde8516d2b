#include "data/reports/WebReportTags.h"

#include "data/model/MediaUtils.h"
#include "net/TagConvUtils.h"
#include "platform/util/StringUtils.h"

const CString CWebReportTags::TAG_BACKLINK = CTagConvUtils::TAG_BACKLINK;
const CString CWebReportTags::TAG_FORWARDLINK = CTagConvUtils::TAG_FORWARDLINK;
const CString CWebReportTags::TAG_COUNT_ITEMS_NEXT_PAGE = "{COUNT_ITEMS_NEXT_PAGE}";
const CString CWebReportTags::TAG_WEBREPORT_NAME = "{WEBREPORT_NAME}";
const CString CWebReportTags::TAG_REPEAT_BEGIN = "{REPEAT_BEGIN}";
const CString CWebReportTags::TAG_REPEAT_END = "{REPEAT_END}";
const CString CWebReportTags::TAG_IMAGE_BEGIN = "{IF_HAVE_IMAGE_BEGIN}";
const CString CWebReportTags::TAG_IMAGE_END = "{IF_HAVE_IMAGE_END}";
const CString CWebReportTags::TAG_URL_BEGIN = "{IF_HAVE_URL_BEGIN}";
const CString CWebReportTags::TAG_URL_END = "{IF_HAVE_URL_END}";
const CString CWebReportTags::TAG_CHAPTERS_BEGIN = "{IF_HAVE_CHAPTERS_BEGIN}";
const CString CWebReportTags::TAG_CHAPTERS_END = "{IF_HAVE_CHAPTERS_END}";
const CString CWebReportTags::TAG_CHAPTERS_BEGIN_REPEAT = "{IF_HAVE_CHAPTERS_BEGIN_REPEAT}";
const CString CWebReportTags::TAG_CHAPTERS_END_REPEAT = "{IF_HAVE_CHAPTERS_END_REPEAT}";
const CString CWebReportTags::TAG_TRACKS_BEGIN = "{IF_HAVE_TRACKS_BEGIN}";
const CString CWebReportTags::TAG_TRACKS_END = "{IF_HAVE_TRACKS_END}";
const CString CWebReportTags::TAG_TRACKS_BEGIN_REPEAT = "{IF_HAVE_TRACKS_BEGIN_REPEAT}";
const CString CWebReportTags::TAG_TRACKS_END_REPEAT = "{IF_HAVE_TRACKS_END_REPEAT}";
const CString CWebReportTags::TAG_ARTICLES_BEGIN = "{IF_HAVE_MAGARTICLES_BEGIN}";
const CString CWebReportTags::TAG_ARTICLES_END = "{IF_HAVE_MAGARTICLES_END}";
const CString CWebReportTags::TAG_ARTICLES_BEGIN_REPEAT = "{IF_HAVE_MAGARTICLES_BEGIN_REP}";
const CString CWebReportTags::TAG_ARTICLES_END_REPEAT = "{IF_HAVE_MAGARTICLES_END_REP}";
const CString CWebReportTags::TAG_CUSTOMFIELD_PREFIX = "{CUSTOMFIELD_";
const CString CWebReportTags::TAG_CUSTOMVALUE_PREFIX = "{CUSTOMVALUE_";

namespace {

CWebReportTags* s_instance = nullptr;

} // namespace

CWebReportTags* CWebReportTags::GetInstance()
{
    if (!s_instance)
        s_instance = new CWebReportTags();
    return s_instance;
}

void CWebReportTags::DeleteInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

CString CWebReportTags::MakeTagFromProperty(const CString& prop)
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

CWebReportTags::CWebReportTags()
{
    const CString* fixed[] = { &TAG_BACKLINK, &TAG_FORWARDLINK, &TAG_COUNT_ITEMS_NEXT_PAGE, &TAG_WEBREPORT_NAME,
        &TAG_REPEAT_BEGIN, &TAG_REPEAT_END, &TAG_IMAGE_BEGIN, &TAG_IMAGE_END, &TAG_URL_BEGIN, &TAG_URL_END,
        &TAG_CHAPTERS_BEGIN, &TAG_CHAPTERS_END, &TAG_CHAPTERS_BEGIN_REPEAT, &TAG_CHAPTERS_END_REPEAT, &TAG_TRACKS_BEGIN,
        &TAG_TRACKS_END, &TAG_TRACKS_BEGIN_REPEAT, &TAG_TRACKS_END_REPEAT, &TAG_ARTICLES_BEGIN, &TAG_ARTICLES_END,
        &TAG_ARTICLES_BEGIN_REPEAT, &TAG_ARTICLES_END_REPEAT, &CTagConvUtils::TAG_IMAGE_FILENAME };
    for (const CString* tag : fixed)
        m_tags.SetAt(*tag, CString());
    // "Image File", "Image Width" and "Image Height" give the picture tags
    // of the image block.
    for (const CString& prop : CMediaUtils::GetAllDataProps())
        m_tags.SetAt(MakeTagFromProperty(prop), prop);
    for (const auto& entry : m_tags)
        m_tagList.AddTail(entry.first);
}

const CString* CWebReportTags::FindProperty(const CString& tag) const
{
    const CString* prop = m_tags.PLookup(tag);
    return prop && !prop->empty() ? prop : nullptr;
}
