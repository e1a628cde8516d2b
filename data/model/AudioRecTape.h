#pragma once
// Recordable audio tapes: recordings on sides A and B, each side holding half
// the tape. Writes no record of its own.

#include "data/model/AudioRecordableMedia.h"

class CAudioRecTape : public CAudioRecordableMedia {
public:
    // Sub-items ordered by "Side".
    explicit CAudioRecTape(bool usesPublisher);
    CAudioRecTape(const CAudioRecTape& source);
    CAudioRecTape& operator=(const CAudioRecTape& source);

    // Media size not 0 and both sides full.
    bool IsMediaFull() const override;

protected:
    // "Side": SortTracksBySideCounter; otherwise as CTrackMedia.
    void SortSubItems() override;

public:
    // Not full with media size 0; else the side's recording lengths sum to at
    // least media size / 2 (integer division).
    virtual bool IsSideAFull() const;
    virtual bool IsSideBFull() const;

    // Side A before side B, then start ascending; non-tape-recordings last.
    static int SortTracksBySideCounter(const CMediaSubItem* a, const CMediaSubItem* b);
};
