#include "data/model/BlurayRec.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CBlurayRec::CBlurayRec()
    : CVideoRecordableMedia(false, false, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
{
}

CBlurayRec::CBlurayRec(const CBlurayRec& source)
    : CVideoRecordableMedia(source)
{
    CopyDynamicData(source);
}

CBlurayRec& CBlurayRec::operator=(const CBlurayRec& source)
{
    if (this != &source) {
        CVideoRecordableMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CBlurayRec::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CBlurayRec*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CBlurayRec::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CBlurayRec*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CBlurayRec::Serialize(CArchive& ar)
{
    CVideoRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CBlurayRec::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoRecordableMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CBlurayRec::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CBlurayRecording*>(source))
        return new CBlurayRecording(*recording);
    return new CBlurayRecording();
}

CMediaItem* CBlurayRec::Clone() const
{
    return new CBlurayRec(*this);
}

int CBlurayRec::GetMediaType() const
{
    return CMediaUtils::MEDIA_BLURAYREC;
}

int CBlurayRec::GetMaxContentSize() const
{
    return 180 * 60;
}

CBlurayRecording::CBlurayRecording()
    : CRecordingTrack(false, true)
{
}

CBlurayRecording::CBlurayRecording(const CBlurayRecording& source)
    : CRecordingTrack(source)
{
}

CBlurayRecording& CBlurayRecording::operator=(const CBlurayRecording& source)
{
    if (this != &source) {
        CRecordingTrack::operator=(source);
    }
    return *this;
}

bool CBlurayRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CBlurayRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CBlurayRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CBlurayRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CBlurayRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_BLURAYREC;
}
