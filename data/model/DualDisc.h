#pragma once
// A DualDisc (audio on one side, DVD on the other), with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"

class CDualDisc : public CAudioTrackMedia {
public:
    // The audio track media flags, with special features (the DVD side's extras).
    CDualDisc();
    CDualDisc(const CDualDisc& source);
    CDualDisc& operator=(const CDualDisc& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrackMedia's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
};

// A track of a DualDisc: numbered, no category of its own.
class CDualDiscTrack : public CAudioTrack {
public:
    CDualDiscTrack();
    CDualDiscTrack(const CDualDiscTrack& source);
    CDualDiscTrack& operator=(const CDualDiscTrack& source);

    // Same DualDisc (see CMediaSubItem), disc and track number, and titles
    // equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
