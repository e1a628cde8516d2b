#pragma once
// A software package. It has no sub-items.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/SparseTexts.h"

class CSoftware : public CMediaItemT<CSoftware, CMediaItem, CMediaUtils::MEDIA_SOFTWARE> {
public:
    // Category, check-out, publisher and report properties; no special
    // features.
    CSoftware();

    // Same title, version and console/format, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Version", "Serial Number", "Password", "Console/Format", "Type",
    // "Distr. Media", "Online URL".
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaItem's: version word (1), version, serial number,
    // password, console/format, type, distributed media, online URL
    // (strings).
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then "title" version - console/format.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

    const CString& GetVersion() const { return m_version; }
    void SetVersion(const CString& text) { m_version = text; }
    const CString& GetSerialNumber() const { return m_serialNumber; }
    void SetSerialNumber(const CString& text) { m_serialNumber = text; }
    const CString& GetPassword() const { return m_sparse.Get(SPARSE_PASSWORD); }
    void SetPassword(const CString& text) { m_sparse.Set(SPARSE_PASSWORD, text); }
    // The platform it runs on (operating system or console).
    const CString& GetConsole() const { return m_console; }
    void SetConsole(const CString& text) { m_console = text; }
    // The kind of program (application, utility, game...).
    const CString& GetType() const { return m_type; }
    void SetType(const CString& text) { m_type = text; }
    // What it came on (CD-ROM, DVD-ROM, download...).
    const CString& GetDistMedia() const { return m_distMedia; }
    void SetDistMedia(const CString& text) { m_distMedia = text; }
    const CString& GetOnlineURL() const { return m_sparse.Get(SPARSE_ONLINEURL); }
    void SetOnlineURL(const CString& text) { m_sparse.Set(SPARSE_ONLINEURL, text); }

private:
    CString m_version;
    CString m_serialNumber;
    // Collections seldom fill these.
    enum { SPARSE_PASSWORD, SPARSE_ONLINEURL, SPARSE_COUNT };
    CSparseTexts<SPARSE_COUNT> m_sparse;
    CString m_console;
    CString m_type;
    CString m_distMedia;
};
