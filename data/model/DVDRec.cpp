#include "data/model/DVDRec.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDVDRec::CDVDRec()
    : CVideoRecordableMedia(false, false, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
{
}

CDVDRec::CDVDRec(const CDVDRec& source)
    : CVideoRecordableMedia(source)
{
    CopyDynamicData(source);
}

CDVDRec& CDVDRec::operator=(const CDVDRec& source)
{
    if (this != &source) {
        CVideoRecordableMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDVDRec::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDVDRec*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDVDRec::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDVDRec*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CDVDRec::Serialize(CArchive& ar)
{
    CVideoRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CDVDRec::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoRecordableMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CDVDRec::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CDVDRecording*>(source))
        return new CDVDRecording(*recording);
    return new CDVDRecording();
}

CMediaItem* CDVDRec::Clone() const
{
    return new CDVDRec(*this);
}

int CDVDRec::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDREC;
}

int CDVDRec::GetMaxContentSize() const
{
    return 120 * 60;
}

CDVDRecording::CDVDRecording()
    : CRecordingTrack(false, true)
{
}

CDVDRecording::CDVDRecording(const CDVDRecording& source)
    : CRecordingTrack(source)
{
}

CDVDRecording& CDVDRecording::operator=(const CDVDRecording& source)
{
    if (this != &source) {
        CRecordingTrack::operator=(source);
    }
    return *this;
}

bool CDVDRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CDVDRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CDVDRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CDVDRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CDVDRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDREC;
}
