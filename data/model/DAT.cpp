#include "data/model/DAT.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDAT::CDAT()
    : CAudioRecTape(true)
{
}

CDAT::CDAT(const CDAT& source)
    : CAudioRecTape(source)
{
    CopyDynamicData(source);
}

CDAT& CDAT::operator=(const CDAT& source)
{
    if (this != &source) {
        CAudioRecTape::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDAT::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDAT*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDAT::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDAT*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CDAT::Serialize(CArchive& ar)
{
    CAudioRecTape::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CDAT::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CDATRecording*>(source))
        return new CDATRecording(*recording);
    return new CDATRecording();
}

CMediaItem* CDAT::Clone() const
{
    return new CDAT(*this);
}

int CDAT::GetMediaType() const
{
    return CMediaUtils::MEDIA_DAT;
}

int CDAT::GetMaxContentSize() const
{
    return 180 * 60;
}

bool CDAT::IsMediaFull() const
{
    return CRecordableMedia::IsMediaFull();
}

bool CDAT::IsSideAFull() const
{
    return CRecordableMedia::IsMediaFull();
}

bool CDAT::IsSideBFull() const
{
    return CRecordableMedia::IsMediaFull();
}

CDATRecording::CDATRecording()
    : CAudioTapeRecording(false, true)
{
}

CDATRecording::CDATRecording(const CDATRecording& source)
    : CAudioTapeRecording(source)
{
}

CDATRecording& CDATRecording::operator=(const CDATRecording& source)
{
    if (this != &source)
        CAudioTapeRecording::operator=(source);
    return *this;
}

bool CDATRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CDATRecording*>(&other);
    return recording && CAudioTapeRecording::operator==(other) && CSubItemUtils::SameTapeRecording(*this, *recording)
        && GetTrack() == recording->GetTrack();
}

void CDATRecording::Serialize(CArchive& ar)
{
    CAudioTapeRecording::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CDATRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CDATRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_DAT;
}
