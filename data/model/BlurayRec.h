#pragma once
// A recordable Blu-ray disc, with its recordings.

#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

class CBlurayRec : public CVideoRecordableMedia {
public:
    // The recordable video flags, without a publisher or special features
    // (blank media); recordings ordered by "Track #".
    CBlurayRec();
    CBlurayRec(const CBlurayRec& source);
    CBlurayRec& operator=(const CBlurayRec& source);
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
    // 3 hours: a single-layer BD-R (25 GB) of broadcast HD video (about 19 Mbit/s).
    int GetMaxContentSize() const override;
};

// A recording on a Blu-ray disc (a title of the disc): numbered, no category of
// its own.
class CBlurayRecording : public CRecordingTrack {
public:
    CBlurayRecording();
    CBlurayRecording(const CBlurayRecording& source);
    CBlurayRecording& operator=(const CBlurayRecording& source);

    // Same disc (see CMediaSubItem) and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CRecordingTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
