#include "data/model/DAT.h"

#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"

CDAT::CDAT()
    : CPlainMediaT(true)
{
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
    : CMediaSubItemT(false, true)
{
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
