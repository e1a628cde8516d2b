#include "data/model/HDDVDRec.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CHDDVDRec::CHDDVDRec()
    : CVideoRecordableMedia(false, false, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
{
}

CHDDVDRec::CHDDVDRec(const CHDDVDRec& source)
    : CVideoRecordableMedia(source)
{
    CopyDynamicData(source);
}

CHDDVDRec& CHDDVDRec::operator=(const CHDDVDRec& source)
{
    if (this != &source) {
        CVideoRecordableMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CHDDVDRec::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CHDDVDRec*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CHDDVDRec::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CHDDVDRec*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CHDDVDRec::Serialize(CArchive& ar)
{
    CVideoRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CHDDVDRec::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoRecordableMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CHDDVDRec::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CHDDVDRecording*>(source))
        return new CHDDVDRecording(*recording);
    return new CHDDVDRecording();
}

CMediaItem* CHDDVDRec::Clone() const
{
    return new CHDDVDRec(*this);
}

int CHDDVDRec::GetMediaType() const
{
    return CMediaUtils::MEDIA_HDDVDREC;
}

int CHDDVDRec::GetMaxContentSize() const
{
    return 105 * 60;
}

CHDDVDRecording::CHDDVDRecording()
    : CRecordingTrack(false, true)
{
}

CHDDVDRecording::CHDDVDRecording(const CHDDVDRecording& source)
    : CRecordingTrack(source)
{
}

CHDDVDRecording& CHDDVDRecording::operator=(const CHDDVDRecording& source)
{
    if (this != &source) {
        CRecordingTrack::operator=(source);
    }
    return *this;
}

bool CHDDVDRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CHDDVDRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CHDDVDRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CHDDVDRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CHDDVDRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_HDDVDREC;
}
