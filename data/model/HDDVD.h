#pragma once
// An HD DVD video disc. It has no sub-items.

#include "data/model/VideoMedia.h"

class CHDDVD : public CVideoMedia {
public:
    // The video media flags (all five); no sub-item order.
    CHDDVD();
    CHDDVD(const CHDDVD& source);
    CHDDVD& operator=(const CHDDVD& source);
    CMediaItem& operator=(const CMediaItem& source) override;

    // Same title, subtitle and series number, ignoring case.
    bool operator==(const CItem& other) const override;
    // Record after CVideoMedia's: version word (1), nothing further yet.
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then "title" - subtitle (series number); sorted
    // by lead actor or director, that name comes first.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;
    // Null: no sub-items.
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override;
    CMediaItem* Clone() const override;
    int GetMediaType() const override;
};
