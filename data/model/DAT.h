#pragma once
// A DAT tape, with its recordings.

#include "data/model/AudioRecTape.h"
#include "data/model/AudioTapeRecording.h"
#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"

// A recording on a DAT tape: numbered (the tape's start IDs), placed by its
// counter; no category of its own.
class CDATRecording : public CMediaSubItemT<CDATRecording, CAudioTapeRecording, CMediaUtils::MEDIA_DAT> {
public:
    CDATRecording();

    // Same tape (see CMediaSubItem), side, start and track number, and
    // titles equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTapeRecording's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
};

// Adds no field to the recordable audio tapes.
class CDAT : public CPlainMediaT<CDAT, CAudioRecTape, CMediaUtils::MEDIA_DAT, CDATRecording> {
public:
    // The recordable audio flags, with a publisher (pre-recorded DATs were
    // sold); recordings ordered by "Side".
    CDAT();

    // 180 minutes, the longest common DAT at standard play.
    int GetMaxContentSize() const override;
    // A DAT records on one side only: it is full when all its recordings
    // fill the tape, and "each side" is the whole tape.
    bool IsMediaFull() const override;
    bool IsSideAFull() const override;
    bool IsSideBFull() const override;
};
