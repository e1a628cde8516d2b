#pragma once
// A recordable DVD, with its recordings.

#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

class CDVDRec : public CVideoRecordableMedia {
public:
    // The recordable video flags, without a publisher or special features
    // (blank media); recordings ordered by "Track #".
    CDVDRec();
    CDVDRec(const CDVDRec& source);
    CDVDRec& operator=(const CDVDRec& source);
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
    // 120 minutes: a single-layer DVD-R at standard quality.
    int GetMaxContentSize() const override;
};

// A recording on a DVD (a title of the disc): numbered, no category of
// its own.
class CDVDRecording : public CRecordingTrack {
public:
    CDVDRecording();
    CDVDRecording(const CDVDRecording& source);
    CDVDRecording& operator=(const CDVDRecording& source);

    // Same disc (see CMediaSubItem) and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CRecordingTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
