#pragma once
// A reel-to-reel tape, with its recordings. Its size is given in feet of
// tape, which is what "Media Size" means for this type.

#include "data/model/AudioRecTape.h"
#include "data/model/AudioTapeRecording.h"
#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"

// A recording on a reel-to-reel tape, placed by side (direction) and
// counter; not numbered. The same side and start and titles equal ignoring
// case make duplicates.
class CReelToReelRecording : public CPlainTrackT<CReelToReelRecording, CAudioTapeRecording,
                                 CMediaUtils::MEDIA_REELTOREEL, &CSubItemUtils::SameTapeRecording, false> { };

class CReelToReel
    : public CMediaItemT<CReelToReel, CAudioRecTape, CMediaUtils::MEDIA_REELTOREEL, CReelToReelRecording> {
public:
    // The recordable audio flags, with a publisher (pre-recorded reels were
    // sold); recordings ordered by "Side" (side B is the reverse direction).
    CReelToReel();

    // Same library ID, artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Tape Width", and "Media Size" as the tape size in feet, besides the
    // recordable audio keys.
    void GetData(CMapStringToString& data) const override;
    // "Media Size" sets the tape size in feet, never the recording time.
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioRecTape's: version word (1), tape width (string),
    // tape size in feet (32-bit).
    void Serialize(CArchive& ar) override;
    // The tape size in feet, plain decimal.
    CString GetMediaSizeText() const override;
    // The longest common reel (GetMaxTapeSize feet) at the slowest common
    // speed (1 7/8 inches per second), in both directions: 46080 seconds.
    int GetMaxContentSize() const override;

    const CString& GetTapeWidth() const { return m_tapeWidth; }
    void SetTapeWidth(const CString& width) { m_tapeWidth = width; }
    // Feet of tape on the reel; 0 while unknown.
    int GetTapeSize() const { return m_tapeSize; }
    void SetTapeSize(int feet) { m_tapeSize = feet < 0 ? 0 : feet; }
    // 3600 feet: a 10.5-inch reel of thin (0.5 mil) tape.
    static int GetMaxTapeSize();
    // The tape widths offered for choice.
    static void GetTapeWidthList(CStringList& list);

private:
    CString m_tapeWidth;
    int m_tapeSize = 0;
};
