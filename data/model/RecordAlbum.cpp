#include "data/model/RecordAlbum.h"

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CRecordAlbum::CRecordAlbum()
    : CAudioTrackMedia(false)
{
}

CRecordAlbum::CRecordAlbum(const CRecordAlbum& source)
    : CAudioTrackMedia(source)
    , m_speed(source.m_speed)
{
    CopyDynamicData(source);
}

CRecordAlbum& CRecordAlbum::operator=(const CRecordAlbum& source)
{
    if (this != &source) {
        CAudioTrackMedia::operator=(source);
        m_speed = source.m_speed;
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CRecordAlbum::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CRecordAlbum*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CRecordAlbum::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CRecordAlbum*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
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

CMediaSubItem* CRecordAlbum::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* track = dynamic_cast<const CRecordAlbumTrack*>(source))
        return new CRecordAlbumTrack(*track);
    return new CRecordAlbumTrack();
}

CMediaItem* CRecordAlbum::Clone() const
{
    return new CRecordAlbum(*this);
}

int CRecordAlbum::GetMediaType() const
{
    return CMediaUtils::MEDIA_RECORDALBUM;
}

void CRecordAlbum::GetSpeedList(CStringList& list)
{
    for (const char* speed : { "16", "33", "45", "78" })
        list.AddTail(speed);
}

CRecordAlbumTrack::CRecordAlbumTrack()
    : CAudioTrack(false, true)
{
}

CRecordAlbumTrack::CRecordAlbumTrack(const CRecordAlbumTrack& source)
    : CAudioTrack(source)
{
}

CRecordAlbumTrack& CRecordAlbumTrack::operator=(const CRecordAlbumTrack& source)
{
    if (this != &source)
        CAudioTrack::operator=(source);
    return *this;
}

bool CRecordAlbumTrack::operator==(const CItem& other) const
{
    const auto* track = dynamic_cast<const CRecordAlbumTrack*>(&other);
    return track && CAudioTrack::operator==(other) && CSubItemUtils::SameAudioTrack(*this, *track);
}

void CRecordAlbumTrack::Serialize(CArchive& ar)
{
    CAudioTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CRecordAlbumTrack::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CRecordAlbumTrack::GetMediaType() const
{
    return CMediaUtils::MEDIA_RECORDALBUM;
}
