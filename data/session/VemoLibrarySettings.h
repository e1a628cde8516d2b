#pragma once
// The program's own settings after the base record of CAppSettings: the
// library to open at start-up, what was last looked at in each library, the
// folders last used for item images, and the list of existing libraries
// (found in the data directory, never stored).
//
// Record after the base's (version 11 written, 1 to 11 read): version word;
// tool-tip close button word and speed (v < 6); current library (v <= 9);
// an obsolete string (v 2..10); last image folder (v >= 3); last book image
// folder (v >= 4); an obsolete string list (v <= 4); a version number of
// three ints (v 7 and 8); the view state (v >= 10): block version word (1),
// current library, count + (library, media type) pairs, count + (library,
// count + (media type, item text) pairs). Then, without a version change
// so that earlier programs keep every setting, the optional look-up block:
// tag word 0x4B4C, block version word (1), count + source ids in order, the
// film API key. A record without it, or with anything else there, has the
// default look-up settings.

#include "data/lookup/LookupService.h"
#include "platform/appcfg/AppSettings.h"
#include "platform/util/DataFolder.h"
#include "platform/util/VemoTypes.h"

class CVemoLibrarySettings : public CAppSettings {
public:
    static constexpr WORD RECORD_VERSION = 11;
    static constexpr WORD VIEW_STATE_VERSION = 1;
    static constexpr WORD LOOKUP_BLOCK_TAG = 0x4B4C;
    static constexpr WORD LOOKUP_BLOCK_VERSION = 1;

    using CItemTextMap = CMap<int, int, CString, const CString&>;
    using CLastMediaTypeMap = CMap<CString, const CString&, int, int>;
    using CLastItemMap = CMap<CString, const CString&, CItemTextMap, const CItemTextMap&>;

    explicit CVemoLibrarySettings(const CString& programDir);

    void Serialize(CArchive& ar) override;

    // Rebuilds the list from the "vly" files of the data directory and makes
    // the current library one of them (the first, or "" when there is none).
    void RefreshLibraryList();
    const CStringArray& GetLibraries() const { return m_libraries; }
    int GetLibraryCount() const { return static_cast<int>(m_libraries.GetSize()); }
    // "" outside 0..count-1.
    CString LibraryAt(int index) const;
    bool HasLibrary(const CString& name) const;
    // "My Library", else the first free "My Library #n" from 2 on (a name
    // taken in another capitalisation is not free); refreshes the list first.
    CString NewLibraryName();

    CDataFolder GetDataFolder() const { return CDataFolder(GetApplicationPath()); }
    CString TemplatesDir() const { return GetDataFolder().TemplatesDir(); }
    CString WebReportsDir() const { return GetDataFolder().WebReportsDir(); }
    CString LibraryPath(const CString& name) const { return GetDataFolder().LibraryPath(name); }

    const CString& GetCurrentLibrary() const { return m_currentLibrary; }
    void SetCurrentLibrary(const CString& name) { m_currentLibrary = name; }
    // 0 when none is kept.
    int GetLastMediaType(const CString& library) const;
    void SetLastMediaType(const CString& library, int mediaType);
    // "" when none is kept.
    CString GetLastItem(const CString& library, int mediaType) const;
    void SetLastItem(const CString& library, int mediaType, const CString& text);
    // The view state of a library follows it to its new name.
    void RenameViewState(const CString& from, const CString& to);
    // A deleted library leaves nothing behind in the settings.
    void ForgetViewState(const CString& library);
    const CLastMediaTypeMap& GetLastMediaTypes() const { return m_lastMediaType; }
    const CLastItemMap& GetLastItems() const { return m_lastItem; }

    const CString& GetLastImageDir() const { return m_lastImageDir; }
    void SetLastImageDir(const CString& dir) { m_lastImageDir = dir; }
    const CString& GetLastBookImageDir() const { return m_lastBookImageDir; }
    void SetLastBookImageDir(const CString& dir) { m_lastBookImageDir = dir; }

    // The online look-up's sources and the film source's key.
    const CLookupOptions& GetLookupOptions() const { return m_lookup; }
    void SetLookupOptions(const CLookupOptions& options) { m_lookup = options; }

private:
    void SerializeViewState(CArchive& ar);
    void SerializeLookup(CArchive& ar);

    CString m_currentLibrary;
    CLastMediaTypeMap m_lastMediaType;
    CLastItemMap m_lastItem;
    CString m_lastImageDir;
    CString m_lastBookImageDir;
    CStringArray m_libraries;
    CLookupOptions m_lookup;
};
