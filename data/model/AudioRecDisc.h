#pragma once
// Recordable audio discs: recordings in track order.

#include "data/model/AudioRecordableMedia.h"

class CAudioRecDisc : public CAudioRecordableMedia {
public:
    // Sub-items ordered by "Track #".
    explicit CAudioRecDisc(bool usesPublisher);
    CAudioRecDisc(const CAudioRecDisc& source);
    CAudioRecDisc& operator=(const CAudioRecDisc& source);

    // Record: version word (1), nothing further.
    void Serialize(CArchive& ar) override;
};
