#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "data/store/ResearchEntry.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

std::vector<CString> Names(const CResearchEntryArray& entries)
{
    std::vector<CString> names;
    for (int i = 0; i < entries.GetCount(); ++i)
        names.push_back(entries.GetAt(i)->GetName());
    return names;
}

void ExpectDistinctIDs(const CResearchEntryArray& entries)
{
    std::set<int> ids;
    for (int i = 0; i < entries.GetCount(); ++i) {
        EXPECT_NE(entries.GetAt(i)->GetUniqueID(), 0);
        ids.insert(entries.GetAt(i)->GetUniqueID());
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(entries.GetCount()));
}

TEST(ResearchEntryTest, DefaultEntries)
{
    using Create = CResearchEntry* (*)();
    const std::vector<std::pair<Create, CString>> defaults { { &CResearchEntry::CreateDefaultEntry1, "Movie Database" },
        { &CResearchEntry::CreateDefaultEntry2, "Music Database" },
        { &CResearchEntry::CreateDefaultEntry3, "Gracenote Music" },
        { &CResearchEntry::CreateDefaultEntry4, "The Internet Movie Database" },
        { &CResearchEntry::CreateDefaultEntry5, "MusicBrainz CD Search" },
        { &CResearchEntry::CreateDefaultEntry6, "Sheet Music Look-up (Duke University)" } };
    for (const auto& [create, name] : defaults) {
        std::unique_ptr<CResearchEntry> entry(create());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetName(), name);
        EXPECT_EQ(entry->GetURL().rfind("https://", 0), 0u) << entry->GetURL();
        EXPECT_EQ(entry->GetUniqueID(), 0);
    }
    std::unique_ptr<CResearchEntry> cd(CResearchEntry::CreateDefaultEntry5());
    EXPECT_NE(cd->GetURL().find("musicbrainz.org"), CString::npos);
}

TEST(ResearchEntryTest, ArrayStaysSortedIgnoringCase)
{
    CResearchEntryArray entries;
    entries.AddDefaultEntries();
    EXPECT_EQ(Names(entries),
        (std::vector<CString> { "Gracenote Music", "Movie Database", "Music Database", "MusicBrainz CD Search",
            "Sheet Music Look-up (Duke University)", "The Internet Movie Database" }));
    ExpectDistinctIDs(entries);

    entries.Add(new CResearchEntry("allmovie", "https://example.org/"));
    entries.Add(nullptr);
    EXPECT_EQ(entries.GetAt(0)->GetName(), "allmovie");
    EXPECT_EQ(entries.GetCount(), 7);
    EXPECT_EQ(entries.GetAt(7), nullptr);
    ExpectDistinctIDs(entries);
}

TEST(ResearchEntryTest, RemoveByIdentity)
{
    CResearchEntryArray entries;
    entries.AddDefaultEntries();
    CResearchEntry lookalike("Movie Database", "");
    EXPECT_FALSE(entries.Remove(&lookalike));
    EXPECT_FALSE(entries.Remove(nullptr));
    EXPECT_EQ(entries.GetCount(), 6);
    EXPECT_TRUE(*entries.GetAt(1) == lookalike);
    EXPECT_TRUE(entries.Remove(entries.GetAt(1)));
    EXPECT_EQ(entries.GetCount(), 5);
    EXPECT_EQ(entries.GetAt(1)->GetName(), "Music Database");
}

TEST(ResearchEntryTest, RecordsRoundTrip)
{
    CResearchEntry entry("Discs", "https://example.org/?q=");
    const std::string entryBytes = StoreBytes(entry);
    EXPECT_EQ(entryBytes,
        std::string("\x01\x00\x05"
                    "Discs\x17https://example.org/?q=",
            2 + 6 + 24));
    CResearchEntry readEntry;
    EXPECT_EQ(LoadBytes(readEntry, entryBytes), 0u);
    EXPECT_EQ(readEntry.GetURL(), entry.GetURL());

    CResearchEntryArray entries;
    entries.Add(new CResearchEntry("b", "2"));
    entries.Add(new CResearchEntry("A", "1"));
    const std::string bytes = StoreBytes(entries);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x02\x00\x00\x00", 6));

    // Stored out of order: reading sorts and gives fresh ids.
    CArchive unsorted;
    unsorted.WriteWord(1);
    unsorted.WriteInt(3);
    for (const char* name : { "z", "M", "a" })
        CResearchEntry(name, "u").Serialize(unsorted);
    const std::string unsortedBytes = unsorted.GetBuffer();
    CResearchEntryArray read;
    read.AddDefaultEntries();
    EXPECT_EQ(LoadBytes(read, unsortedBytes), 0u);
    EXPECT_EQ(Names(read), (std::vector<CString> { "a", "M", "z" }));
    ExpectDistinctIDs(read);

    vemotest::ExpectTruncationsThrow(unsortedBytes, [](CArchive& ar) {
        CResearchEntryArray target;
        target.Serialize(ar);
    });
}

} // namespace
