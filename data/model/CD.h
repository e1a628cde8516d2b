#pragma once
// An audio CD, with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MediaUtils.h"

// A track of a CD.
class CCDTrack : public CAudioTrackT<CCDTrack, CMediaUtils::MEDIA_CD> { };

class CCD : public CMediaItemT<CCD, CAudioTrackMedia, CMediaUtils::MEDIA_CD, CCDTrack> {
public:
    // The audio track media flags, without special features.
    CCD();

    // Same artist and title, ignoring case, and both singles or both not.
    bool operator==(const CItem& other) const override;
    // "CD Single", "Enhanced CD" besides the audio track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioTrackMedia's: version word (1), CD single,
    // enhanced CD (booleans).
    void Serialize(CArchive& ar) override;

    bool GetCDSingle() const { return m_cdSingle; }
    void SetCDSingle(bool single) { m_cdSingle = single; }
    // Also carries computer data (videos, programs).
    bool GetEnhancedCD() const { return m_enhancedCD; }
    void SetEnhancedCD(bool enhanced) { m_enhancedCD = enhanced; }

private:
    bool m_cdSingle = false;
    bool m_enhancedCD = false;
};
