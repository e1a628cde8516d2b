#pragma once
// A recording on a cassette tape. Whether cassette counters show time is one
// setting for all cassette recordings, stored with each library file.

#include "data/model/AudioTapeRecording.h"
#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"

class CCassetteRecording : public CMediaSubItemT<CCassetteRecording, CAudioTapeRecording, CMediaUtils::MEDIA_CASSETTE> {
public:
    // No category of its own (its custom values live with the cassette) and
    // no track numbers (side and counter place a recording).
    CCassetteRecording();

    // Same parent (see CMediaSubItem), side and start, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    // Writes no record of its own after CAudioTapeRecording's.

    static bool GetUseTimedCounter();
    static void SetUseTimedCounter(bool useTimedCounter);
};
