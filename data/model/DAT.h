#pragma once
// A DAT tape, with its recordings.

#include "data/model/AudioRecTape.h"
#include "data/model/AudioTapeRecording.h"

class CDAT : public CAudioRecTape {
public:
    // The recordable audio flags, with a publisher (pre-recorded DATs were
    // sold); recordings ordered by "Side".
    CDAT();
    CDAT(const CDAT& source);
    CDAT& operator=(const CDAT& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same library ID, artist and title, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioRecTape's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
    // 180 minutes, the longest common DAT at standard play.
    int GetMaxContentSize() const override;
    // A DAT records on one side only: it is full when all its recordings
    // fill the tape, and "each side" is the whole tape.
    bool IsMediaFull() const override;
    bool IsSideAFull() const override;
    bool IsSideBFull() const override;
};

// A recording on a DAT tape: numbered (the tape's start IDs), placed by its
// counter; no category of its own.
class CDATRecording : public CAudioTapeRecording {
public:
    CDATRecording();
    CDATRecording(const CDATRecording& source);
    CDATRecording& operator=(const CDATRecording& source);

    // Same tape (see CMediaSubItem), side, start and track number, and
    // titles equal ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CAudioTapeRecording's: version word (1).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;
    int GetMediaType() const override;
};
