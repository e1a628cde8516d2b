#include "data/model/Book.h"

#include <climits>

#include "data/model/DataMapUtils.h"
#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CBook::CBook()
    : CMediaItemT(true, true, true, true, false, U::MEDIA_PROP_CHAPTER)
{
}

bool CBook::operator==(const CItem& other) const
{
    const CBook* book = OtherOfSameClass(other);
    if (!book)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), book->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), book->GetSubTitle())
        && CStringUtils::EqualsNoCase(m_author, book->m_author)
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), book->GetSeriesNumber())
        && CStringUtils::EqualsNoCase(GetEdition(), book->GetEdition());
}

void CBook::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_AUTHOR, m_author);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_COAUTHOR, GetCoAuthor());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SUBTITLE, GetSubTitle());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SERIESNUMBER, GetSeriesNumber());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_EDITION, GetEdition());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ISBN, m_isbn);
    CPropMapUtils::AnswerInt(data, U::MEDIA_PROP_PAGES, m_pages, true);
    CPropMapUtils::AnswerBool(data, U::MEDIA_PROP_HARDCOVER, m_hardcover);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_EFILEURL, GetEFileURL());
    CPropMapUtils::AnswerCount(data, U::MEDIA_PROP_CHAPTERCOUNT, GetSubItemCount());
}

void CBook::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_AUTHOR, m_author, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_COAUTHOR, SPARSE_COAUTHOR, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_SUBTITLE, SPARSE_SUBTITLE, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_SERIESNUMBER, SPARSE_SERIES, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_EDITION, SPARSE_EDITION, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_ISBN, m_isbn, applyCategory);
    CPropMapUtils::TakeInt(data, U::MEDIA_PROP_PAGES, m_pages, applyCategory, 0, INT_MAX);
    CPropMapUtils::TakeBool(data, U::MEDIA_PROP_HARDCOVER, m_hardcover, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_EFILEURL, SPARSE_EFILEURL, applyCategory);
}

void CBook::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_author);
    m_sparse.Serialize(ar, SPARSE_COAUTHOR);
    m_sparse.Serialize(ar, SPARSE_SUBTITLE);
    m_sparse.Serialize(ar, SPARSE_SERIES);
    m_sparse.Serialize(ar, SPARSE_EDITION);
    ar.Serialize(m_isbn);
    std::int32_t pages = m_pages;
    ar.Serialize(pages);
    SetPages(pages);
    CMediaUtils::Serialize(ar, m_hardcover);
    m_sparse.Serialize(ar, SPARSE_EFILEURL);
}

CString CBook::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString title = CItemTextUtils::Quoted(GetTitle());
    CString names = sortProp == U::MEDIA_PROP_TITLE ? CItemTextUtils::JoinDash({ title, m_author })
                                                    : CItemTextUtils::JoinDash({ m_author, title });
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp) + names
        + CItemTextUtils::Parenthesized(GetSeriesNumber());
}

void CBook::SortSubItems()
{
    const CString& order = GetSubItemSortOrder();
    if (order == U::MEDIA_PROP_CHAPTER)
        GetSubItems().Sort(SortChaptersByNumberTitle);
    else if (order == U::MEDIA_PROP_CHAPTERTITLE)
        GetSubItems().Sort(SortChaptersByTitle);
}

int CBook::SortChaptersByNumberTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* chapterA = dynamic_cast<const CBookChapter*>(a);
    const auto* chapterB = dynamic_cast<const CBookChapter*>(b);
    if (!chapterA || !chapterB)
        return chapterA ? -1 : (chapterB ? 1 : 0);
    int order = CSubItemUtils::Sign(chapterA->GetChapter() - chapterB->GetChapter());
    return order != 0 ? order : CStringUtils::CompareNoCase(chapterA->GetTitle(), chapterB->GetTitle());
}

int CBook::SortChaptersByTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* chapterA = dynamic_cast<const CBookChapter*>(a);
    const auto* chapterB = dynamic_cast<const CBookChapter*>(b);
    if (!chapterA || !chapterB)
        return chapterA ? -1 : (chapterB ? 1 : 0);
    return CStringUtils::CompareNoCase(chapterA->GetTitle(), chapterB->GetTitle());
}

CBookChapter::CBookChapter()
    : CMediaSubItemT(false)
{
}

bool CBookChapter::operator==(const CItem& other) const
{
    const auto* chapter = dynamic_cast<const CBookChapter*>(&other);
    return chapter && CMediaSubItem::operator==(other) && m_chapter == chapter->m_chapter
        && CStringUtils::EqualsNoCase(m_title, chapter->m_title);
}

void CBookChapter::GetData(CMapStringToString& data) const
{
    CMediaSubItem::GetData(data);
    CPropMapUtils::AnswerInt(data, U::MEDIA_PROP_CHAPTER, m_chapter);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_CHAPTERTITLE, m_title);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_CHAPTERDESC, m_description);
}

void CBookChapter::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaSubItem::SetData(data, applyCategory);
    int chapter = m_chapter;
    if (CPropMapUtils::TakeInt(data, U::MEDIA_PROP_CHAPTER, chapter, applyCategory, 0, 0xFFFF))
        SetChapter(chapter);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_CHAPTERTITLE, applyCategory, m_title);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_CHAPTERDESC, applyCategory, m_description);
}

void CBookChapter::Serialize(CArchive& ar)
{
    CMediaSubItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_chapter);
    CSubItemUtils::SerializeText(ar, m_title);
    CSubItemUtils::SerializeText(ar, m_description);
}

bool CBookChapter::HaveValidData() const
{
    return !CStringUtils::IsEffectivelyEmpty(m_title) || !CStringUtils::IsEffectivelyEmpty(m_description);
}
