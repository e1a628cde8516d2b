#include "data/model/SheetMusic.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CSheetMusic::CSheetMusic()
    : CMediaItemT(true, true, true, true, false, CString())
{
}

bool CSheetMusic::operator==(const CItem& other) const
{
    const CSheetMusic* sheet = OtherOfSameClass(other);
    if (!sheet)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), sheet->GetTitle())
        && CStringUtils::EqualsNoCase(m_composer, sheet->m_composer)
        && CStringUtils::EqualsNoCase(GetArranger(), sheet->GetArranger())
        && CStringUtils::EqualsNoCase(m_instrumentation, sheet->m_instrumentation);
}

void CSheetMusic::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_COMPOSER, m_composer);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ARRANGER, GetArranger());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_WORDSBY, GetWordsBy());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_MUSICBY, GetMusicBy());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_INSTRUMENTATION, m_instrumentation);
}

void CSheetMusic::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_COMPOSER, m_composer, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_ARRANGER, SPARSE_ARRANGER, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_WORDSBY, SPARSE_WORDSBY, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_MUSICBY, SPARSE_MUSICBY, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_INSTRUMENTATION, m_instrumentation, applyCategory);
}

void CSheetMusic::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_composer);
    m_sparse.Serialize(ar, SPARSE_ARRANGER);
    m_sparse.Serialize(ar, SPARSE_WORDSBY);
    m_sparse.Serialize(ar, SPARSE_MUSICBY);
    ar.Serialize(m_instrumentation);
}

CString CSheetMusic::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString title = CItemTextUtils::Quoted(GetTitle());
    CString names = sortProp == U::MEDIA_PROP_TITLE ? CItemTextUtils::JoinDash({ title, m_composer })
                                                    : CItemTextUtils::JoinDash({ m_composer, title });
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp) + names
        + CItemTextUtils::Parenthesized(m_instrumentation);
}
