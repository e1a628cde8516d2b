#pragma once
// A minidisc, with its recordings.

#include "data/model/AudioRecDisc.h"
#include "data/model/RecordingTrack.h"

class CMiniDisc : public CAudioRecDisc {
public:
    // The recordable audio flags, without a publisher (blank media);
    // recordings ordered by "Track #".
    CMiniDisc();
    CMiniDisc(const CMiniDisc& source);
    CMiniDisc& operator=(const CMiniDisc& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same library ID, artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioRecDisc's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
    // 80 minutes, the longest common minidisc in stereo.
    int GetMaxContentSize() const override;
};

// A recording on a minidisc: numbered, no category of its own.
class CMiniDiscRecording : public CRecordingTrack {
public:
    CMiniDiscRecording();
    CMiniDiscRecording(const CMiniDiscRecording& source);
    CMiniDiscRecording& operator=(const CMiniDiscRecording& source);

    // Same minidisc (see CMediaSubItem) and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CRecordingTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
