#include "data/session/VemoLibrarySettings.h"

#include <algorithm>

#include "data/session/LibraryNames.h"

namespace {

// A string list as the record keeps it: a 32-bit count, then the strings.
void SkipStringList(CArchive& ar)
{
    std::int32_t count = ar.ReadCount(1);
    for (std::int32_t i = 0; i < count; ++i)
        ar.ReadString();
}

} // namespace

CVemoLibrarySettings::CVemoLibrarySettings(const CString& programDir)
    : CAppSettings(programDir, CDataFolder::APP_NAME)
    , m_lastImageDir(GetProgramDir())
    , m_lastBookImageDir(GetProgramDir())
{
    SetVersionNumber(2, 0, 4);
}

void CVemoLibrarySettings::Serialize(CArchive& ar)
{
    CAppSettings::Serialize(ar);

    if (ar.IsStoring()) {
        ar.WriteWord(RECORD_VERSION);
        ar.WriteString(m_lastImageDir);
        ar.WriteString(m_lastBookImageDir);
        SerializeViewState(ar);
        SerializeLookup(ar);
        return;
    }

    WORD version = ar.ReadWord();
    if (version > RECORD_VERSION)
        throw CArchiveException(CArchiveException::badFormat,
            "settings record version " + std::to_string(version) + " is newer than this program");
    if (version < 6) {
        SetBalloonShowCloseButton(ar.ReadWord() == 1);
        SetBalloonWPMSpeed(ar.ReadUInt());
    }
    if (version <= 9)
        m_currentLibrary = ar.ReadString();
    if (version >= 2 && version <= 10)
        ar.ReadString();
    if (version >= 3)
        m_lastImageDir = ar.ReadString();
    if (version >= 4)
        m_lastBookImageDir = ar.ReadString();
    if (version <= 4)
        SkipStringList(ar);
    if (version == 7 || version == 8) {
        int first = ar.ReadInt();
        int second = ar.ReadInt();
        int third = ar.ReadInt();
        SetVersionNumber(first, second, third);
    }
    m_lastMediaType.RemoveAll();
    m_lastItem.RemoveAll();
    if (version >= 10)
        SerializeViewState(ar);
    SerializeLookup(ar);
}

void CVemoLibrarySettings::SerializeLookup(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(LOOKUP_BLOCK_TAG);
        ar.WriteWord(LOOKUP_BLOCK_VERSION);
        ar.WriteInt(static_cast<std::int32_t>(m_lookup.sources.size()));
        for (const CString& id : m_lookup.sources)
            ar.WriteString(id);
        ar.WriteString(m_lookup.filmApiKey);
        return;
    }

    // The block is an addition at the end of the record: what an earlier
    // program left there, or a block it cannot read, costs no other setting.
    CLookupOptions read;
    try {
        if (ar.BytesLeft() < 4 || ar.ReadWord() != LOOKUP_BLOCK_TAG || ar.ReadWord() != LOOKUP_BLOCK_VERSION) {
            m_lookup = read;
            return;
        }
        const std::int32_t count = ar.ReadCount(1);
        const auto& known = CLookupOptions::KnownSources();
        std::vector<CString> ids;
        for (std::int32_t i = 0; i < count; ++i) {
            const CString id = ar.ReadString();
            // A source this program does not have stays off.
            if (std::find(known.begin(), known.end(), id) != known.end()
                && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        }
        read.sources = ids;
        read.filmApiKey = ar.ReadString();
    } catch (const CArchiveException&) {
        read = CLookupOptions();
    }
    m_lookup = read;
}

void CVemoLibrarySettings::SerializeViewState(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(VIEW_STATE_VERSION);
        ar.WriteString(m_currentLibrary);
        ar.WriteInt(static_cast<std::int32_t>(m_lastMediaType.GetCount()));
        for (const auto& [library, type] : m_lastMediaType) {
            ar.WriteString(library);
            ar.WriteInt(type);
        }
        ar.WriteInt(static_cast<std::int32_t>(m_lastItem.GetCount()));
        for (const auto& [library, items] : m_lastItem) {
            ar.WriteString(library);
            ar.WriteInt(static_cast<std::int32_t>(items.GetCount()));
            for (const auto& [type, text] : items) {
                ar.WriteInt(type);
                ar.WriteString(text);
            }
        }
        return;
    }

    ar.ReadWord();
    m_currentLibrary = ar.ReadString();
    // Each entry holds at least a one-byte string and a 32-bit number.
    std::int32_t count = ar.ReadCount(5);
    for (std::int32_t i = 0; i < count; ++i) {
        CString library = ar.ReadString();
        int type = ar.ReadInt();
        m_lastMediaType.SetAt(library, type);
    }
    count = ar.ReadCount(5);
    for (std::int32_t i = 0; i < count; ++i) {
        CString library = ar.ReadString();
        CItemTextMap items;
        std::int32_t inner = ar.ReadCount(5);
        for (std::int32_t j = 0; j < inner; ++j) {
            int type = ar.ReadInt();
            items.SetAt(type, ar.ReadString());
        }
        m_lastItem.SetAt(library, items);
    }
}

void CVemoLibrarySettings::RefreshLibraryList()
{
    m_libraries = CLibraryNames::List(GetApplicationPath());
    if (!HasLibrary(m_currentLibrary))
        m_currentLibrary = m_libraries.IsEmpty() ? CString() : m_libraries.GetAt(0);
}

CString CVemoLibrarySettings::LibraryAt(int index) const
{
    return index >= 0 && index < GetLibraryCount() ? m_libraries.GetAt(index) : CString();
}

bool CVemoLibrarySettings::HasLibrary(const CString& name) const
{
    return std::find(m_libraries.begin(), m_libraries.end(), name) != m_libraries.end();
}

CString CVemoLibrarySettings::NewLibraryName()
{
    RefreshLibraryList();
    return CLibraryNames::NewLibraryName(m_libraries);
}

int CVemoLibrarySettings::GetLastMediaType(const CString& library) const
{
    int type = 0;
    m_lastMediaType.Lookup(library, type);
    return type;
}

void CVemoLibrarySettings::SetLastMediaType(const CString& library, int mediaType)
{
    m_lastMediaType.SetAt(library, mediaType);
}

CString CVemoLibrarySettings::GetLastItem(const CString& library, int mediaType) const
{
    const CItemTextMap* items = m_lastItem.PLookup(library);
    CString text;
    if (items)
        items->Lookup(mediaType, text);
    return text;
}

void CVemoLibrarySettings::SetLastItem(const CString& library, int mediaType, const CString& text)
{
    m_lastItem[library].SetAt(mediaType, text);
}

void CVemoLibrarySettings::ForgetViewState(const CString& library)
{
    m_lastMediaType.RemoveKey(library);
    m_lastItem.RemoveKey(library);
}

void CVemoLibrarySettings::RenameViewState(const CString& from, const CString& to)
{
    if (from == to)
        return;
    int type = 0;
    if (m_lastMediaType.Lookup(from, type)) {
        m_lastMediaType.RemoveKey(from);
        m_lastMediaType.SetAt(to, type);
    }
    if (CItemTextMap* items = m_lastItem.PLookup(from)) {
        CItemTextMap moved = *items;
        m_lastItem.RemoveKey(from);
        m_lastItem.SetAt(to, moved);
    }
}
