#pragma once
// A recordable HD DVD, with its recordings.

#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

class CHDDVDRec : public CVideoRecordableMedia {
public:
    // The recordable video flags, without a publisher or special features
    // (blank media); recordings ordered by "Track #".
    CHDDVDRec();
    CHDDVDRec(const CHDDVDRec& source);
    CHDDVDRec& operator=(const CHDDVDRec& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same library ID, title, subtitle and series number, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CVideoRecordableMedia's: version word (1), nothing
    // further yet.
    void Serialize(CArchive& ar) override;
    // As the video media: "title" - subtitle (series number), with the lead
    // actor or director first when sorted by them.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
    // 105 minutes: a single-layer HD DVD-R (15 GB) of broadcast HD video (about 19 Mbit/s).
    int GetMaxContentSize() const override;
};

// A recording on a HD DVD (a title of the disc): numbered, no category of
// its own.
class CHDDVDRecording : public CRecordingTrack {
public:
    CHDDVDRecording();
    CHDDVDRecording(const CHDDVDRecording& source);
    CHDDVDRecording& operator=(const CHDDVDRecording& source);

    // Same disc (see CMediaSubItem) and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CRecordingTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
