#pragma once
// The video tapes of a library. Tapes are numbered, located and listed per
// tape format (the format ids 116..125), with one library ID settings object
// and one default location per format; the manager's own settings object is
// kept in the file but numbers nothing. The per-format settings belong to
// the library object, not to the process, so that reading one library (into
// a fresh object, which may fail) cannot change another.

#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/store/MediaMgr.h"

class CVideoTapeMediaMgr final : public CMediaMgr {
public:
    CVideoTapeMediaMgr()
        : CMediaMgr(CMediaUtils::MEDIA_VIDEOTAPE)
    {
    }

    static constexpr int FORMAT_COUNT = 10;
    // The extension's versions: 2 adds formats 121..125, 3 the locations.
    static constexpr WORD EXTENSION_VERSION = 3;
    static constexpr WORD EXTENSION_VERSION_EARLIER = 1;

    CString GetDefaultLocation(int id) const override;
    void SetDefaultLocation(int id, const CString& location) override;
    CLibraryIDSettings* GetLibraryIDSettings(int id) override;
    bool UpdateLibraryIDFormat(CLibraryIDSettings& settings, int id) override;

    // After the tape's format changed: with auto generate of the new format
    // the next number of that format, else an empty ID. True when the ID
    // text changed.
    bool RefreshLibraryID(CVideoTape& tape);
    // Destroys the tapes of one format.
    void DeleteItemsOfFormat(int formatID);

protected:
    // Version word (3), the ten format settings (five before version 2), the
    // ten format locations (from version 3).
    void SerializeExtension(CArchive& ar, bool earlier) override;
    bool Covers(const CMediaItem& item, int id) const override;
    int GetItemID(const CMediaItem& item) const override;
    void InitNewItem(CMediaItem& item, int id) const override;

private:
    static int FormatIndex(int formatID);

    CLibraryIDSettings m_formatSettings[FORMAT_COUNT];
    CString m_formatLocations[FORMAT_COUNT];
};
