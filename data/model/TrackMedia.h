#pragma once
// Media whose sub-items are tracks: a capacity or running time, how sizes are
// shown, the audio formats, and the track orders.

#include "data/model/AudioSetting.h"
#include "data/model/MediaItem.h"

class CTrackMedia : public CMediaItem {
public:
    // minutesAndSeconds: sizes show as minutes:seconds, else hours:minutes.
    // The audio setting starts with stereo only.
    CTrackMedia(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
        bool hasSpecialFeatures, const CString& subItemSortOrder, bool minutesAndSeconds);
    CTrackMedia(const CTrackMedia& source);

    // "Length", "Media Size" (media size text), "Tracks" (sub-item count with
    // digit grouping) and the audio properties.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), minutes-and-seconds (boolean), media size
    // (32-bit), audio setting record.
    void Serialize(CArchive& ar) override;

protected:
    // "Track #": SortTracksByNumberTitle; "Track Title": SortTracksByTitle;
    // any other order leaves the list as it is.
    void SortSubItems() override;
    // Seconds of a "Media Size" text, the inverse of GetMediaSizeText.
    virtual int ParseMediaSizeText(const CString& text) const;

public:
    virtual CTrackMedia& operator=(const CTrackMedia& source);
    // Media size as ConvertToMMSS when minutes-and-seconds, else ConvertToHHMM.
    virtual CString GetMediaSizeText() const;
    // GetContentSize in the same form.
    virtual CString GetContentSizeText() const;

    bool GetMinutesAndSeconds() const { return m_minutesAndSeconds; }
    // Capacity or running time in seconds.
    int GetMediaSize() const { return m_mediaSize; }
    void SetMediaSize(int seconds) { m_mediaSize = seconds; }
    CAudioSetting& GetAudio() { return m_audio; }
    const CAudioSetting& GetAudio() const { return m_audio; }

    // Sum of the lengths of the sub-items that are tracks; 0 without any.
    int GetContentSize() const;
    // The first number above after that no track uses (1 for a negative
    // after); sorts by number meanwhile and restores the medium's order.
    int GetNextTrackNumber(int after);

    // Sub-item orders, -1/0/1; a sub-item that is no CTrack sorts after one
    // that is. By track number, then title ignoring case.
    static int SortTracksByNumberTitle(const CMediaSubItem* a, const CMediaSubItem* b);
    // By title ignoring case.
    static int SortTracksByTitle(const CMediaSubItem* a, const CMediaSubItem* b);

private:
    bool m_minutesAndSeconds;
    int m_mediaSize = 0;
    CAudioSetting m_audio;
};
