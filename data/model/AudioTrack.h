#pragma once
// A track of an audio medium that may span several discs.

#include "data/model/Track.h"

class CAudioTrack : public CTrack {
public:
    CAudioTrack(bool usesCategory, bool usesTrackNumbers);
    CAudioTrack(const CAudioTrack& source);
    CAudioTrack& operator=(const CAudioTrack& source);

    // "Disc #" besides the track keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CTrack's: version word (1), disc number (word).
    void Serialize(CArchive& ar) override;
    // CMediaUtils::ConvertToMMSS(length).
    CString GetLengthText() const override;

    int GetDisc() const { return m_disc; }
    // Values below 1 become 1.
    void SetDisc(int disc) { m_disc = static_cast<WORD>(std::clamp(disc, 1, 0xFFFF)); }
    // "%d".
    CString GetDiscText() const;

private:
    WORD m_disc = 1;
};

// A track of a pre-recorded audio medium (CD, record album, 8-track,
// DVD-Audio, DualDisc): numbered; the same disc and track number and titles
// equal ignoring case make duplicates.
template <class Derived, int MediaType>
using CAudioTrackT = CPlainTrackT<Derived, CAudioTrack, MediaType, &CSubItemUtils::SameAudioTrack>;
