#pragma once
// A track of a medium: length, number and title.

#include "data/model/MediaItemT.h"
#include "data/model/MediaSubItem.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/CompactText.h"

class CTrack : public CMediaSubItem {
public:
    // usesTrackNumbers is fixed here and never stored.
    CTrack(bool usesCategory, bool usesTrackNumbers);
    CTrack(const CTrack& source);

    // "Track Title", "Track Length" (length text), "Track #" (track text)
    // after the CMediaSubItem keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaSubItem's: version word (1), length (32-bit), track
    // number (word), title.
    void Serialize(CArchive& ar) override;

    // Copies length, number and title (not the uses-track-numbers flag).
    virtual CTrack& operator=(const CTrack& source);
    // CMediaUtils::ConvertToHHMMSS(length).
    virtual CString GetLengthText() const;
    // One line for lists: "<track text>. <title>" ("<title>" without track
    // numbers), then " (<length text>)" when the length is above 0.
    virtual CString GetTrackDesc() const;

    bool GetUsesTrackNumbers() const { return m_usesTrackNumbers; }
    // Seconds.
    int GetLength() const { return m_length; }
    void SetLength(int seconds) { m_length = seconds; }
    int GetTrack() const { return m_track; }
    // Values below 1 become 1.
    void SetTrack(int track) { m_track = static_cast<WORD>(std::clamp(track, 1, 0xFFFF)); }
    // A view valid until the title changes; tracks are many, so their titles
    // are kept compact.
    std::string_view GetTitle() const { return m_title; }
    void SetTitle(std::string_view title) { m_title = title; }
    // The track number ("%d") when track numbers are used, else "".
    CString GetTrackText() const;

private:
    bool m_usesTrackNumbers;
    WORD m_track = 1;
    int m_length = 0;
    CCompactText m_title;
};

// A track or recording that adds nothing to its family (Base): no category
// of its own; duplicates on the same medium when Same(a, b) holds; valid with
// a title or a length; its record is Base's and a version word (1).
template <class Derived, class Base, int MediaType, auto Same, bool UsesTrackNumbers = true>
class CPlainTrackT : public CMediaSubItemT<Derived, Base, MediaType> {
public:
    CPlainTrackT()
        : CMediaSubItemT<Derived, Base, MediaType>(false, UsesTrackNumbers)
    {
    }

    bool operator==(const CItem& other) const override
    {
        const auto* same = dynamic_cast<const Derived*>(&other);
        return same && Base::operator==(other) && Same(*this, *same);
    }
    void Serialize(CArchive& ar) override
    {
        Base::Serialize(ar);
        ar.SerializeVersion(1);
    }
    bool HaveValidData() const override { return CSubItemUtils::TrackHasData(*this); }
};
