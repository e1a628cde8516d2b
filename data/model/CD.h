#pragma once
// An audio CD, with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"

class CCD : public CAudioTrackMedia {
public:
    // The audio track media flags, without special features.
    CCD();
    CCD(const CCD& source);
    CCD& operator=(const CCD& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same artist and title, ignoring case, and both singles or both not.
    bool operator==(const CItem& other) const override;
    // "CD Single", "Enhanced CD" besides the audio track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioTrackMedia's: version word (1), CD single,
    // enhanced CD (booleans).
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;

    bool GetCDSingle() const { return m_cdSingle; }
    void SetCDSingle(bool single) { m_cdSingle = single; }
    // Also carries computer data (videos, programs).
    bool GetEnhancedCD() const { return m_enhancedCD; }
    void SetEnhancedCD(bool enhanced) { m_enhancedCD = enhanced; }

private:
    bool m_cdSingle = false;
    bool m_enhancedCD = false;
};

// A track of a CD: numbered, no category of its own.
class CCDTrack : public CAudioTrack {
public:
    CCDTrack();
    CCDTrack(const CCDTrack& source);
    CCDTrack& operator=(const CCDTrack& source);

    // Same CD (see CMediaSubItem), disc and track number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTrack's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
