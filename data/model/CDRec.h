#pragma once
// A recordable CD (CD-R or CD-RW), with its recordings.

#include "data/model/AudioRecDisc.h"
#include "data/model/RecordingTrack.h"

class CCDRec : public CAudioRecDisc {
public:
    // The recordable audio flags, without a publisher (blank media);
    // recordings ordered by "Track #".
    CCDRec();
    CCDRec(const CCDRec& source);
    CCDRec& operator=(const CCDRec& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same library ID, artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioRecDisc's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
    // 80 minutes, the longest common CD-R.
    int GetMaxContentSize() const override;
};

// A recording on a disc: numbered, no category of its own.
class CCDRecording : public CRecordingTrack {
public:
    CCDRecording();
    CCDRecording(const CCDRecording& source);
    CCDRecording& operator=(const CCDRecording& source);

    // Same disc (see CMediaSubItem) and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CRecordingTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
