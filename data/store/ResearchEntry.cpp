#include "data/store/ResearchEntry.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/util/Archive.h"
#include "platform/util/Clock.h"
#include "platform/util/StringUtils.h"

namespace {

// Version word and two empty strings.
constexpr std::size_t kMinEntryBytes = 2 + 1 + 1;

CResearchEntry* MakeEntry(const char* name, const char* url)
{
    return new (std::nothrow) CResearchEntry(name, url);
}

} // namespace

bool CResearchEntry::operator==(const CResearchEntry& other) const
{
    return CStringUtils::EqualsNoCase(m_name, other.m_name);
}

CResearchEntry* CResearchEntry::CreateDefaultEntry1()
{
    return MakeEntry("Movie Database", "https://www.themoviedb.org/");
}

CResearchEntry* CResearchEntry::CreateDefaultEntry2()
{
    return MakeEntry("Music Database", "https://www.allmusic.com/");
}

CResearchEntry* CResearchEntry::CreateDefaultEntry3()
{
    return MakeEntry("Gracenote Music", "https://www.gracenote.com/");
}

CResearchEntry* CResearchEntry::CreateDefaultEntry4()
{
    return MakeEntry("The Internet Movie Database", "https://www.imdb.com/");
}

CResearchEntry* CResearchEntry::CreateDefaultEntry5()
{
    return MakeEntry("MusicBrainz CD Search", "https://musicbrainz.org/search?type=release");
}

CResearchEntry* CResearchEntry::CreateDefaultEntry6()
{
    return MakeEntry("Sheet Music Look-up (Duke University)", "https://repository.duke.edu/dc/hasm");
}

void CResearchEntry::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteString(m_name);
        ar.WriteString(m_url);
        return;
    }
    ar.ReadWord();
    CString name = ar.ReadString();
    CString url = ar.ReadString();
    m_name = std::move(name);
    m_url = std::move(url);
}

CResearchEntryArray::~CResearchEntryArray()
{
    RemoveAll();
}

namespace {

// The C generator seeded with the clock's time (in seconds) plus salt, so
// that a fixed clock draws the same ids; a number another entry already
// carries (or 0, the id of an entry no array holds) is drawn again, since
// menu commands tell entries apart by it.
int DrawUniqueID(const CArray<CResearchEntry*, CResearchEntry*>& entries, const CResearchEntry* self, long salt)
{
    const auto seconds = static_cast<long long>(CClock::Now().GetValue() * 86400.0);
    std::srand(static_cast<unsigned>(seconds + salt));
    for (;;) {
        const int id = std::rand();
        const bool taken = id == 0 || std::any_of(entries.begin(), entries.end(), [&](const CResearchEntry* other) {
            return other && other != self && other->GetUniqueID() == id;
        });
        if (!taken)
            return id;
    }
}

} // namespace

void CResearchEntryArray::Add(CResearchEntry* entry)
{
    // The same object twice would be destroyed twice.
    if (!entry || std::find(m_entries.begin(), m_entries.end(), entry) != m_entries.end())
        return;
    m_entries.Add(entry);
    entry->SetUniqueID(DrawUniqueID(m_entries, entry, GetCount()));
    Sort();
}

void CResearchEntryArray::AddDefaultEntries()
{
    for (auto create : { &CResearchEntry::CreateDefaultEntry1, &CResearchEntry::CreateDefaultEntry2,
             &CResearchEntry::CreateDefaultEntry3, &CResearchEntry::CreateDefaultEntry4,
             &CResearchEntry::CreateDefaultEntry5, &CResearchEntry::CreateDefaultEntry6 }) {
        std::unique_ptr<CResearchEntry> entry(create());
        if (!entry)
            continue;
        Add(entry.get());
        entry.release();
    }
}

bool CResearchEntryArray::Remove(CResearchEntry* entry)
{
    if (!entry)
        return false;
    auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    if (it == m_entries.end())
        return false;
    m_entries.erase(it);
    delete entry;
    return true;
}

void CResearchEntryArray::RemoveAll()
{
    for (CResearchEntry* entry : m_entries)
        delete entry;
    m_entries.RemoveAll();
}

void CResearchEntryArray::Sort()
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const CResearchEntry* a, const CResearchEntry* b) {
        if (!a || !b)
            return a && !b;
        return CStringUtils::CompareNoCase(a->GetName(), b->GetName()) < 0;
    });
}

void CResearchEntryArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(GetCount());
        for (CResearchEntry* entry : m_entries)
            entry->Serialize(ar);
        return;
    }
    ar.ReadWord();
    RemoveAll();
    // Entries read whole stay, sorted and with their run-time ids, even when the stream ends early.
    auto finish = [this] {
        Sort();
        for (CResearchEntry* entry : m_entries)
            entry->SetUniqueID(0);
        long k = 0;
        for (CResearchEntry* entry : m_entries)
            entry->SetUniqueID(DrawUniqueID(m_entries, entry, k++));
    };
    try {
        const int count = ar.ReadCount(kMinEntryBytes);
        for (int i = 0; i < count; ++i) {
            auto entry = std::make_unique<CResearchEntry>();
            entry->Serialize(ar);
            m_entries.Add(entry.get());
            entry.release();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
