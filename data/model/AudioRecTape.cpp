#include "data/model/AudioRecTape.h"

#include "data/model/AudioTapeRecording.h"
#include "data/model/MediaUtils.h"

namespace {

// Whether the recordings on one side fill half the tape.
bool IsSideFull(const CAudioRecTape& tape, bool sideA)
{
    if (tape.GetMediaSize() == 0)
        return false;
    long long total = 0;
    POSITION pos = tape.GetHeadSubItem();
    while (pos) {
        const auto* recording = dynamic_cast<const CAudioTapeRecording*>(tape.GetNextSubItem(pos));
        if (recording && recording->GetSideA() == sideA)
            total += recording->GetLength();
    }
    return total >= tape.GetMediaSize() / 2;
}

} // namespace

CAudioRecTape::CAudioRecTape(bool usesPublisher)
    : CAudioRecordableMedia(usesPublisher, CMediaUtils::MEDIA_PROP_SIDE)
{
}

CAudioRecTape::CAudioRecTape(const CAudioRecTape& source)
    : CAudioRecordableMedia(source)
{
}

CAudioRecTape& CAudioRecTape::operator=(const CAudioRecTape& source)
{
    CAudioRecordableMedia::operator=(source);
    return *this;
}

bool CAudioRecTape::IsMediaFull() const
{
    return GetMediaSize() != 0 && IsSideAFull() && IsSideBFull();
}

void CAudioRecTape::SortSubItems()
{
    if (GetSubItemSortOrder() == CMediaUtils::MEDIA_PROP_SIDE)
        GetSubItems().Sort(SortTracksBySideCounter);
    else
        CAudioRecordableMedia::SortSubItems();
}

bool CAudioRecTape::IsSideAFull() const
{
    return IsSideFull(*this, true);
}

bool CAudioRecTape::IsSideBFull() const
{
    return IsSideFull(*this, false);
}

int CAudioRecTape::SortTracksBySideCounter(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* recA = dynamic_cast<const CAudioTapeRecording*>(a);
    const auto* recB = dynamic_cast<const CAudioTapeRecording*>(b);
    if (!recA || !recB)
        return recA ? -1 : (recB ? 1 : 0);
    if (recA->GetSideA() != recB->GetSideA())
        return recA->GetSideA() ? -1 : 1;
    if (recA->GetStart() != recB->GetStart())
        return recA->GetStart() < recB->GetStart() ? -1 : 1;
    return 0;
}
