#include "data/model/ReelToReel.h"

#include <climits>

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CReelToReel::CReelToReel()
    : CMediaItemT(true)
{
}

bool CReelToReel::operator==(const CItem& other) const
{
    const CReelToReel* same = OtherOfSameClass(other);
    return same && SameKeyFields(*same);
}

void CReelToReel::GetData(CMapStringToString& data) const
{
    CAudioRecTape::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_TAPEWIDTH, m_tapeWidth);
    CPropMapUtils::AnswerInt(data, CMediaUtils::MEDIA_PROP_MEDIASIZE, m_tapeSize, true);
}

void CReelToReel::SetData(const CMapStringToString& data, bool applyCategory)
{
    // "Media Size" is feet here: keep it away from the recording time.
    CMapStringToString rest(data);
    rest.RemoveKey(CMediaUtils::MEDIA_PROP_MEDIASIZE);
    CAudioRecTape::SetData(rest, applyCategory);
    CPropMapUtils::TakeText(data, CMediaUtils::MEDIA_PROP_TAPEWIDTH, m_tapeWidth, applyCategory);
    CPropMapUtils::TakeInt(data, CMediaUtils::MEDIA_PROP_MEDIASIZE, m_tapeSize, applyCategory, 0, INT_MAX);
}

void CReelToReel::Serialize(CArchive& ar)
{
    CAudioRecTape::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_tapeWidth);
    std::int32_t feet = m_tapeSize;
    ar.Serialize(feet);
    SetTapeSize(feet);
}

int CReelToReel::GetMaxContentSize() const
{
    return 2 * GetMaxTapeSize() * 12 * 8 / 15;
}

CString CReelToReel::GetMediaSizeText() const
{
    return std::to_string(m_tapeSize);
}

int CReelToReel::GetMaxTapeSize()
{
    return 3600;
}

void CReelToReel::GetTapeWidthList(CStringList& list)
{
    for (const char* width : { "1/4\"", "1/2\"", "1\"", "2\"" })
        list.AddTail(width);
}
