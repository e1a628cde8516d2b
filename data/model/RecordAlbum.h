#pragma once
// A record album (vinyl or shellac), with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MediaUtils.h"

// A track of a record album.
class CRecordAlbumTrack : public CAudioTrackT<CRecordAlbumTrack, CMediaUtils::MEDIA_RECORDALBUM> { };

class CRecordAlbum
    : public CMediaItemT<CRecordAlbum, CAudioTrackMedia, CMediaUtils::MEDIA_RECORDALBUM, CRecordAlbumTrack> {
public:
    // The audio track media flags, without special features.
    CRecordAlbum();

    // Same artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Speed" (rpm; "" while unknown) besides the audio track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioTrackMedia's: version word (1), speed (32-bit rpm).
    void Serialize(CArchive& ar) override;

    // Revolutions per minute (16, 33, 45, 78); 0 while unknown.
    int GetSpeed() const { return m_speed; }
    void SetSpeed(int rpm) { m_speed = rpm < 0 ? 0 : rpm; }
    // The speeds offered for choice, as texts.
    static void GetSpeedList(CStringList& list);

private:
    int m_speed = 0;
};
