#pragma once
// A recording on a cassette tape. Whether cassette counters show time is one
// setting for all cassette recordings, stored with each library file.

#include "data/model/AudioTapeRecording.h"

class CCassetteRecording : public CAudioTapeRecording {
public:
    // No category of its own (its custom values live with the cassette) and
    // no track numbers (side and counter place a recording).
    CCassetteRecording();
    CCassetteRecording(const CCassetteRecording& source);
    CCassetteRecording& operator=(const CCassetteRecording& source);

    // Same parent (see CMediaSubItem), side and start, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
    // Writes no record of its own after CAudioTapeRecording's.

    static bool GetUseTimedCounter();
    static void SetUseTimedCounter(bool useTimedCounter);
};
