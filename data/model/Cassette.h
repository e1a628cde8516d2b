#pragma once
// A cassette tape; its recordings are CCassetteRecording.

#include "data/model/AudioRecTape.h"
#include "data/model/CassetteRecording.h"
#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"

class CCassette : public CMediaItemT<CCassette, CAudioRecTape, CMediaUtils::MEDIA_CASSETTE, CCassetteRecording> {
public:
    // The recordable audio flags, with a publisher (cassettes were also sold
    // pre-recorded); recordings ordered by "Side".
    CCassette();

    // Same library ID, artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Type" (the tape type) besides the recordable audio keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CAudioRecTape's: version word (1), tape type (string).
    void Serialize(CArchive& ar) override;
    // A C-120, the longest common cassette: 120 minutes over both sides.
    int GetMaxContentSize() const override;

    // The tape formulation ("Type I (normal)", "Type II (chrome)", ...);
    // with the manufacturer it forms the "brand & type".
    const CString& GetTapeType() const { return m_tapeType; }
    void SetTapeType(const CString& text) { m_tapeType = text; }
    // The tape types offered for choice.
    static void GetTapeTypeList(CStringList& list);

private:
    CString m_tapeType;
};
