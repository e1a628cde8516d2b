#pragma once
// Recordable audio discs: recordings in track order.

#include "data/model/AudioRecordableMedia.h"
#include "data/model/MediaItemT.h"

class CAudioRecDisc : public CAudioRecordableMedia {
public:
    // Sub-items ordered by "Track #".
    explicit CAudioRecDisc(bool usesPublisher);
    CAudioRecDisc(const CAudioRecDisc& source);
    CAudioRecDisc& operator=(const CAudioRecDisc& source);

    // Record: version word (1), nothing further.
    void Serialize(CArchive& ar) override;
};

// A recordable audio disc that adds nothing to the family (CD, DVD-Audio,
// minidisc): no publisher (blank media), Recording as its recordings,
// MaxMinutes the longest common disc.
template <class Derived, int MediaType, class Recording, int MaxMinutes>
class CAudioRecDiscT : public CPlainMediaT<Derived, CAudioRecDisc, MediaType, Recording> {
public:
    CAudioRecDiscT()
        : CPlainMediaT<Derived, CAudioRecDisc, MediaType, Recording>(false)
    {
    }

    int GetMaxContentSize() const override { return MaxMinutes * 60; }
};
