#pragma once
// A recording on a recordable medium: where it was recorded from and when.

#include "data/model/Track.h"
#include "platform/util/OleDateTime.h"

class CRecordingTrack : public CTrack {
public:
    // Stored as a word; texts of media sources are the singular media names.
    enum Source {
        srcUnknown = 0, // "Unknown"
        srcRadio = 1, // "Radio"
        srcTVBroadcast = 2, // "TV Broadcast"
        srcRecordAlbum = 3, // Record Album
        srcCassette = 4, // Cassette Tape
        srcCD = 5, // CD
        srcMinidisc = 6, // Minidisc
        srcDVD = 7, // DVD
        srcSatellite = 8, // "Satellite"
        srcMP3 = 9, // "MP3"
        srcDAT = 10, // DAT Tape
        srcLive = 11, // "Live Recording"
        srcStudio = 12, // "Studio Recording"
        srcHome = 13, // "Home Recording"
        srcReelToReel = 14, // Reel-to-Reel Tape
        srcPreRecorded = 15, // "Pre-recorded"
        srcVideoTape = 16, // Video Tape
        srcCamcorder = 17, // "Camcorder"
        srcDownload = 18, // "Download"
        srcBluray = 19, // Blu-ray Disc
        srcHDDVD = 20 // HD DVD
    };
    static constexpr int SOURCE_FIRST = srcUnknown;
    static constexpr int SOURCE_LAST = srcHDDVD;

    CRecordingTrack(bool usesCategory, bool usesTrackNumbers);
    CRecordingTrack(const CRecordingTrack& source);

    // "Rec. Source" (source text) and "Rec. Date" (date text) besides the
    // track keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CTrack's: version word (1), source (word; a code outside
    // 1..20 is written and read as 0), recording date.
    void Serialize(CArchive& ar) override;

    virtual CRecordingTrack& operator=(const CRecordingTrack& source);

    Source GetSource() const { return m_source; }
    // A code outside 0..20 becomes srcUnknown.
    void SetSource(Source source) { m_source = (source < SOURCE_FIRST || source > SOURCE_LAST) ? srcUnknown : source; }
    // Null date when not known.
    const COleDateTime& GetDate() const { return m_date; }
    void SetDate(const COleDateTime& date) { m_date = date; }
    // The date as text by the date utility; "" for a date that is not valid.
    CString GetDateText() const;

    // Text of a code; "Unknown" for any other code.
    static CString ParseSource(Source source);
    // Code of a text by lower-cased substring rules; 0 for "" or no match.
    static Source ParseSource(const CString& text);
    // Appends "Unknown", codes 1..14, 15 only with includePreRecorded, 16..20.
    static void GetSourceList(CStringList& list, bool includePreRecorded);

private:
    Source m_source = srcUnknown;
    COleDateTime m_date = COleDateTime::Null();
};

// A recording on a recordable disc (CD, DVD-Audio, minidisc, DVD, Blu-ray,
// HD DVD): numbered; the same track number and titles equal ignoring case
// make duplicates.
template <class Derived, int MediaType>
using CDiscRecordingT = CPlainTrackT<Derived, CRecordingTrack, MediaType, &CSubItemUtils::SameTrack>;
