#pragma once
// A record album (vinyl or shellac), with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"

class CRecordAlbum : public CAudioTrackMedia {
public:
    // The audio track media flags, without special features.
    CRecordAlbum();
    CRecordAlbum(const CRecordAlbum& source);
    CRecordAlbum& operator=(const CRecordAlbum& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Speed" (rpm; "" while unknown) besides the audio track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioTrackMedia's: version word (1), speed (32-bit rpm).
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;

    // Revolutions per minute (16, 33, 45, 78); 0 while unknown.
    int GetSpeed() const { return m_speed; }
    void SetSpeed(int rpm) { m_speed = rpm < 0 ? 0 : rpm; }
    // The speeds offered for choice, as texts.
    static void GetSpeedList(CStringList& list);

private:
    int m_speed = 0;
};

// A track of a record album: numbered, no category of its own.
class CRecordAlbumTrack : public CAudioTrack {
public:
    CRecordAlbumTrack();
    CRecordAlbumTrack(const CRecordAlbumTrack& source);
    CRecordAlbumTrack& operator=(const CRecordAlbumTrack& source);

    // Same album (see CMediaSubItem), disc and track number, and titles
    // equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
