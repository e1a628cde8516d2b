#include "data/model/RecordAlbum.h"

#include "data/model/PropMapUtils.h"

CRecordAlbum::CRecordAlbum()
    : CMediaItemT(false)
{
}

bool CRecordAlbum::operator==(const CItem& other) const
{
    const CRecordAlbum* same = OtherOfSameClass(other);
    return same && SameKeyFields(*same);
}

void CRecordAlbum::GetData(CMapStringToString& data) const
{
    CAudioTrackMedia::GetData(data);
    CPropMapUtils::AnswerInt(data, CMediaUtils::MEDIA_PROP_SPEED, m_speed, true);
}

void CRecordAlbum::SetData(const CMapStringToString& data, bool applyCategory)
{
    CAudioTrackMedia::SetData(data, applyCategory);
    CPropMapUtils::TakeInt(data, CMediaUtils::MEDIA_PROP_SPEED, m_speed, applyCategory, 0, 1000);
}

void CRecordAlbum::Serialize(CArchive& ar)
{
    CAudioTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
    std::int32_t speed = m_speed;
    ar.Serialize(speed);
    SetSpeed(speed);
}

void CRecordAlbum::GetSpeedList(CStringList& list)
{
    for (const char* speed : { "16", "33", "45", "78" })
        list.AddTail(speed);
}
