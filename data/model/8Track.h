#pragma once
// An 8-track cartridge, with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"

class C8Track : public CAudioTrackMedia {
public:
    // The audio track media flags, without special features.
    C8Track();
    C8Track(const C8Track& source);
    C8Track& operator=(const C8Track& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrackMedia's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
};

// A track of a cartridge: numbered, no category of its own.
class C8TrackTrack : public CAudioTrack {
public:
    C8TrackTrack();
    C8TrackTrack(const C8TrackTrack& source);
    C8TrackTrack& operator=(const C8TrackTrack& source);

    // Same cartridge (see CMediaSubItem), disc and track number, and titles
    // equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
