#pragma once
// A DVD-Audio disc, with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"

class CDVDAudio : public CAudioTrackMedia {
public:
    // The audio track media flags, with special features (the video side's extras).
    CDVDAudio();
    CDVDAudio(const CDVDAudio& source);
    CDVDAudio& operator=(const CDVDAudio& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrackMedia's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
};

// A track of a DVD-Audio disc: numbered, no category of its own.
class CDVDAudioTrack : public CAudioTrack {
public:
    CDVDAudioTrack();
    CDVDAudioTrack(const CDVDAudioTrack& source);
    CDVDAudioTrack& operator=(const CDVDAudioTrack& source);

    // Same DVD-Audio disc (see CMediaSubItem), disc and track number, and titles
    // equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
