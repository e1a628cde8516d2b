#pragma once
// The duplicate and validity tests that the concrete track and recording
// classes share, and the record of their compact texts.

#include "platform/util/VemoTypes.h"

class CArchive;
class CCompactText;
class CTrack;
class CAudioTrack;
class CAudioTapeRecording;

class CSubItemUtils {
public:
    // Track numbers equal and titles equal ignoring case.
    static bool SameTrack(const CTrack& a, const CTrack& b);
    // SameTrack and the same disc.
    static bool SameAudioTrack(const CAudioTrack& a, const CAudioTrack& b);
    // Same side and start, and titles equal ignoring case.
    static bool SameTapeRecording(const CAudioTapeRecording& a, const CAudioTapeRecording& b);
    // A title that is not effectively empty, or a length above 0.
    static bool TrackHasData(const CTrack& track);
    // The text's record as CArchive::Serialize(CString&) writes and reads it.
    static void SerializeText(CArchive& ar, CCompactText& text);
    // -1, 0 or 1.
    static int Sign(long long difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }
};
