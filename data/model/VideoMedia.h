#pragma once
// Pre-recorded video media: running time, discs, region, cast, and the
// picture and sound formats.

#include "data/model/AudioSetting.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaItemT.h"
#include "data/model/SparseTexts.h"
#include "data/model/VideoSetting.h"

class CVideoMedia : public CMediaItem {
public:
    // All five flags true. The video setting starts with pan and scan and
    // widescreen, the audio setting with stereo.
    explicit CVideoMedia(const CString& subItemSortOrder);
    CVideoMedia(const CVideoMedia& source);

    // "SubTitle", "Series Number", "Lead Actor", "Co-Star", "Director",
    // "Length" (ConvertToHHMM), "Discs", "Region", the video and audio
    // properties.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), video setting, audio setting, media length
    // (32-bit), discs (word), region (word), subtitle, series number, lead
    // actor, co-star, director.
    void Serialize(CArchive& ar) override;

    virtual CVideoMedia& operator=(const CVideoMedia& source);
    // The media length as CMediaUtils::ConvertToHHMM.
    virtual CString GetMediaSizeText() const;

    // Running time in seconds.
    int GetMediaLength() const { return m_mediaLength; }
    void SetMediaLength(int seconds) { m_mediaLength = seconds; }
    int GetDiscs() const { return m_discs; }
    void SetDiscs(int discs) { m_discs = static_cast<WORD>(std::clamp(discs, 1, 0xFFFF)); }
    int GetRegion() const { return m_region; }
    void SetRegion(int region) { m_region = static_cast<WORD>(std::clamp(region, 0, 0xFFFF)); }
    CVideoSetting& GetVideo() { return m_video; }
    const CVideoSetting& GetVideo() const { return m_video; }
    CAudioSetting& GetAudio() { return m_audio; }
    const CAudioSetting& GetAudio() const { return m_audio; }
    const CString& GetSubTitle() const { return m_sparse.Get(SPARSE_SUBTITLE); }
    void SetSubTitle(const CString& text) { m_sparse.Set(SPARSE_SUBTITLE, text); }
    const CString& GetSeriesNumber() const { return m_sparse.Get(SPARSE_SERIES); }
    void SetSeriesNumber(const CString& text) { m_sparse.Set(SPARSE_SERIES, text); }
    const CString& GetLeadActor() const { return m_leadActor; }
    void SetLeadActor(const CString& text) { m_leadActor = text; }
    const CString& GetCoStar() const { return m_coStar; }
    void SetCoStar(const CString& text) { m_coStar = text; }
    const CString& GetDirector() const { return m_director; }
    void SetDirector(const CString& text) { m_director = text; }

protected:
    // Titles, subtitles and series numbers equal, ignoring case: the
    // duplicate rule of the video discs.
    bool SameKeyFields(const CVideoMedia& other) const;
    // CItemTextUtils::VideoText of this medium.
    CString GetVideoText(const CString& sortProp) const;

private:
    int m_mediaLength = 0;
    WORD m_discs = 1;
    WORD m_region = 1;
    CVideoSetting m_video;
    CAudioSetting m_audio;
    // Most films have neither.
    enum { SPARSE_SUBTITLE, SPARSE_SERIES, SPARSE_COUNT };
    CSparseTexts<SPARSE_COUNT> m_sparse;
    CString m_leadActor;
    CString m_coStar;
    CString m_director;
};

// A pre-recorded video disc (DVD, Blu-ray, HD DVD, laserdisc): adds nothing
// to the family; no sub-items.
template <class Derived, int MediaType> class CVideoDiscT : public CPlainMediaT<Derived, CVideoMedia, MediaType> {
public:
    CVideoDiscT()
        : CPlainMediaT<Derived, CVideoMedia, MediaType>(CString())
    {
    }

    // The CMediaItem text, then "title" - subtitle (series number); sorted
    // by lead actor or director, that name comes first.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override
    {
        return CVideoMedia::GetUniqueDescription(withMediaName, sortProp) + this->GetVideoText(sortProp);
    }
};
