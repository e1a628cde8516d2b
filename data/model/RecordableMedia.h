#pragma once
// Media the user records onto: a maximum capacity per type, and how much
// room is left.

#include "data/model/TrackMedia.h"

class CRecordableMedia : public CTrackMedia {
public:
    CRecordableMedia(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
        bool hasSpecialFeatures, const CString& subItemSortOrder, bool minutesAndSeconds);
    CRecordableMedia(const CRecordableMedia& source);

    // "Media Manufacturer" and "Length" besides the track media keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record: version word (1), media manufacturer.
    void Serialize(CArchive& ar) override;
    // Media size in whole minutes (truncated), plain decimal.
    CString GetMediaSizeText() const override;

protected:
    // Whole minutes.
    int ParseMediaSizeText(const CString& text) const override;

public:
    virtual CRecordableMedia& operator=(const CRecordableMedia& source);
    // False with media size 0; else content size >= media size.
    virtual bool IsMediaFull() const;
    // The type's largest capacity in seconds.
    virtual int GetMaxContentSize() const = 0;
    // GetMaxContentSize in whole minutes, decimal.
    virtual CString GetMaxContentSizeText() const;
    // -1 when the media size is below 1, else media size - content size.
    virtual int GetSizeRemaining() const;
    // "" when GetSizeRemaining < 0; by whole minutes m: "full" (0),
    // "1 min. remains", "%d min. remain".
    virtual CString GetSizeRemainingText() const;

    const CString& GetManufacturer() const { return m_manufacturer; }
    void SetManufacturer(const CString& manufacturer) { m_manufacturer = manufacturer; }

private:
    CString m_manufacturer;
};
