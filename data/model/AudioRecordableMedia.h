#pragma once
// Recordable audio media (tapes and recordable discs) with an artist.

#include "data/model/RecordableMedia.h"

class CAudioRecordableMedia : public CRecordableMedia {
public:
    // Flags: category, check-out, report properties true, special features
    // false; minutes-and-seconds.
    CAudioRecordableMedia(bool usesPublisher, const CString& subItemSortOrder);
    CAudioRecordableMedia(const CAudioRecordableMedia& source);

    // "Artist" besides the recordable media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), artist.
    void Serialize(CArchive& ar) override;
    // As CAudioTrackMedia::GetUniqueDescription.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

    virtual CAudioRecordableMedia& operator=(const CAudioRecordableMedia& source);

protected:
    // Library IDs, artists and titles equal, ignoring case: the duplicate
    // rule of the recordable audio media.
    bool SameKeyFields(const CAudioRecordableMedia& other) const;

public:
    const CString& GetArtist() const { return m_artist; }
    void SetArtist(const CString& artist) { m_artist = artist; }

private:
    CString m_artist;
};
