#pragma once
// The picture formats of a video medium ("Pan & Scan", "Widescreen").

#include "platform/util/VemoTypes.h"

class CArchive;

class CVideoSetting {
public:
    CVideoSetting() = default;
    CVideoSetting(const CVideoSetting&) = default;
    CVideoSetting& operator=(const CVideoSetting&) = default;
    ~CVideoSetting() = default;
    // Every field equal.
    bool operator==(const CVideoSetting&) const = default;

    bool GetPanScan() const { return m_panScan; }
    void SetPanScan(bool value) { m_panScan = value; }
    bool GetWidescreen() const { return m_widescreen; }
    void SetWidescreen(bool value) { m_widescreen = value; }

    // Replaces only the keys already in the map ("Y"/"N" for flags);
    // keys not present are not added.
    void GetData(CMapStringToString& data) const;
    // Nothing when apply is false; else each flag whose key is present
    // becomes CMediaUtils::IsYes(text).
    void SetData(const CMapStringToString& data, bool apply);
    // Record: version word (1), pan and scan, widescreen (boolean words); 6 bytes.
    void Serialize(CArchive& ar);

private:
    bool m_panScan = false;
    bool m_widescreen = false;
};
