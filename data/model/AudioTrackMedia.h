#pragma once
// Audio media with numbered tracks on one or more discs (CDs, records...).

#include "data/model/MediaItemT.h"
#include "data/model/TrackMedia.h"

class CAudioTrackMedia : public CTrackMedia {
public:
    // Flags: category, check-out, publisher, report properties all true;
    // minutes-and-seconds; sub-items ordered by "Disc #".
    explicit CAudioTrackMedia(bool hasSpecialFeatures);
    CAudioTrackMedia(const CAudioTrackMedia& source);
    CAudioTrackMedia& operator=(const CAudioTrackMedia& source);

    // "Artist", "Discs", "Jacket Number" besides the track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), discs (word), artist, jacket number.
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, the artist, then " - " (only after an artist) and
    // the title in double quotes when there is a title.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

protected:
    // "Disc #": SortTracksByDiscTrack; otherwise as CTrackMedia.
    void SortSubItems() override;
    // Artists and titles equal, ignoring case: the duplicate rule of the
    // pre-recorded audio media.
    bool SameKeyFields(const CAudioTrackMedia& other) const;

public:
    int GetDiscs() const { return m_discs; }
    // At least 1; tracks on a disc above the new count move to the last disc.
    void SetDiscs(int discs);
    const CString& GetArtist() const { return m_artist; }
    void SetArtist(const CString& artist) { m_artist = artist; }
    const CString& GetJacketNumber() const { return m_jacketNumber; }
    void SetJacketNumber(const CString& number) { m_jacketNumber = number; }

    // Number of audio tracks on that disc.
    int GetTrackCountForDisc(int disc) const;
    using CTrackMedia::GetNextTrackNumber;
    // As CTrackMedia's, over the tracks of that disc; 1 for a disc below 1 or
    // a negative after.
    int GetNextTrackNumber(int disc, int after);

    // By disc ascending, then as SortTracksByNumberTitle; non-audio-tracks last.
    static int SortTracksByDiscTrack(const CMediaSubItem* a, const CMediaSubItem* b);

private:
    WORD m_discs = 1;
    CString m_artist;
    CString m_jacketNumber;
};

// A pre-recorded audio medium that adds nothing to the family (8-track,
// DVD-Audio, DualDisc), with TrackClass as its tracks.
template <class Derived, int MediaType, class TrackClass, bool HasSpecialFeatures>
class CAudioAlbumT : public CPlainMediaT<Derived, CAudioTrackMedia, MediaType, TrackClass> {
public:
    CAudioAlbumT()
        : CPlainMediaT<Derived, CAudioTrackMedia, MediaType, TrackClass>(HasSpecialFeatures)
    {
    }
};
