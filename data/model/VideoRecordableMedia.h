#pragma once
// Recordable video media: the recording capacity shown as hours:minutes, with
// the cast and picture formats of what is on it.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordableMedia.h"
#include "data/model/SparseTexts.h"
#include "data/model/VideoSetting.h"

class CVideoRecordableMedia : public CRecordableMedia {
public:
    // Flags: category, check-out, report properties true; hours:minutes.
    CVideoRecordableMedia(bool usesPublisher, bool hasSpecialFeatures, const CString& subItemSortOrder);
    CVideoRecordableMedia(const CVideoRecordableMedia& source);
    CVideoRecordableMedia& operator=(const CVideoRecordableMedia& source);

    // "SubTitle", "Series Number", "Lead Actor", "Co-Star", "Director" and the
    // video properties besides the recordable media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), subtitle, series number, lead actor, co-star,
    // director, video setting record.
    void Serialize(CArchive& ar) override;

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
    CVideoSetting& GetVideo() { return m_video; }
    const CVideoSetting& GetVideo() const { return m_video; }

protected:
    // Library IDs, titles, subtitles and series numbers equal, ignoring case:
    // the duplicate rule of the recordable video media.
    bool SameKeyFields(const CVideoRecordableMedia& other) const;
    // CItemTextUtils::VideoText of this medium.
    CString GetVideoText(const CString& sortProp) const;

private:
    // Most recordings have neither.
    enum { SPARSE_SUBTITLE, SPARSE_SERIES, SPARSE_COUNT };
    CSparseTexts<SPARSE_COUNT> m_sparse;
    CString m_leadActor;
    CString m_coStar;
    CString m_director;
    CVideoSetting m_video;
};

// A recordable video disc that adds nothing to the family (DVD, Blu-ray,
// HD DVD): no publisher or special features (blank media), Recording as its
// recordings in "Track #" order, MaxMinutes the longest common disc.
template <class Derived, int MediaType, class Recording, int MaxMinutes>
class CVideoRecDiscT : public CPlainMediaT<Derived, CVideoRecordableMedia, MediaType, Recording> {
public:
    CVideoRecDiscT()
        : CPlainMediaT<Derived, CVideoRecordableMedia, MediaType, Recording>(
            false, false, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
    {
    }

    // As the video media: "title" - subtitle (series number), with the lead
    // actor or director first when sorted by them.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override
    {
        return CVideoRecordableMedia::GetUniqueDescription(withMediaName, sortProp) + this->GetVideoText(sortProp);
    }
    int GetMaxContentSize() const override { return MaxMinutes * 60; }
};
