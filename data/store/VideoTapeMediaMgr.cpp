#include "data/store/VideoTapeMediaMgr.h"

#include "platform/util/Archive.h"

int CVideoTapeMediaMgr::FormatIndex(int formatID)
{
    return CMediaUtils::IsVideoTapeFormatID(formatID) ? formatID - CMediaUtils::MEDIA_VIDEOTAPEFORMAT_IDFIRST : -1;
}

int CVideoTapeMediaMgr::GetItemID(const CMediaItem& item) const
{
    const auto* tape = dynamic_cast<const CVideoTape*>(&item);
    return tape ? tape->GetFormatID() : GetMediaType();
}

void CVideoTapeMediaMgr::InitNewItem(CMediaItem& item, int id) const
{
    if (auto* tape = dynamic_cast<CVideoTape*>(&item); tape && FormatIndex(id) >= 0)
        tape->SetTapeType(FormatIndex(id));
}

bool CVideoTapeMediaMgr::Covers(const CMediaItem& item, int id) const
{
    return id == GetMediaType() || id == GetItemID(item);
}

CString CVideoTapeMediaMgr::GetDefaultLocation(int id) const
{
    const int index = FormatIndex(id);
    return index >= 0 ? m_formatLocations[index] : CMediaMgr::GetDefaultLocation(id);
}

void CVideoTapeMediaMgr::SetDefaultLocation(int id, const CString& location)
{
    const int index = FormatIndex(id);
    if (index >= 0)
        m_formatLocations[index] = location;
    else
        CMediaMgr::SetDefaultLocation(id, location);
}

CLibraryIDSettings* CVideoTapeMediaMgr::GetLibraryIDSettings(int id)
{
    const int index = FormatIndex(id);
    return index >= 0 ? &m_formatSettings[index] : CMediaMgr::GetLibraryIDSettings(id);
}

bool CVideoTapeMediaMgr::UpdateLibraryIDFormat(CLibraryIDSettings& settings, int id)
{
    // Tapes are numbered per format only.
    if (FormatIndex(id) < 0)
        return false;
    return CMediaMgr::UpdateLibraryIDFormat(settings, id);
}

bool CVideoTapeMediaMgr::RefreshLibraryID(CVideoTape& tape)
{
    const CLibraryIDSettings* settings = GetLibraryIDSettings(tape.GetFormatID());
    if (!settings)
        return false;
    const CString before = tape.GetLibraryID();
    tape.SetLibraryID(settings->GetAutoGenerate() ? settings->FormatID(GetNextFreeNumber(tape)) : CString());
    InvalidateIndex();
    return tape.GetLibraryID() != before;
}

void CVideoTapeMediaMgr::DeleteItemsOfFormat(int formatID)
{
    CMediaItemList& items = GetItemList();
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        POSITION here = pos;
        CMediaItem* item = items.GetNext(pos);
        if (item && GetItemID(*item) == formatID) {
            items.RemoveAt(here);
            ListChanged();
            DestroyItem(item);
        }
    }
    InvalidateIndex();
}

void CVideoTapeMediaMgr::SerializeExtension(CArchive& ar, bool earlier)
{
    const WORD version = ar.SerializeVersion(earlier ? EXTENSION_VERSION_EARLIER : EXTENSION_VERSION);
    const int settingsCount = version < 2 ? FORMAT_COUNT / 2 : FORMAT_COUNT;
    for (int i = 0; i < settingsCount; ++i)
        m_formatSettings[i].Serialize(ar);
    if (ar.IsStoring()) {
        if (version >= 3) {
            CStringArray locations;
            for (const CString& location : m_formatLocations)
                locations.Add(location);
            ar.WriteStringArray(locations);
        }
        return;
    }
    for (int i = settingsCount; i < FORMAT_COUNT; ++i)
        m_formatSettings[i] = CLibraryIDSettings();
    CStringArray locations;
    if (version >= 3)
        ar.ReadStringArray(locations);
    for (int i = 0; i < FORMAT_COUNT; ++i)
        m_formatLocations[i] = i < locations.GetSize() ? locations.GetAt(i) : CString();
}
