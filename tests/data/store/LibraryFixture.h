#pragma once
// Library tests start and end with fresh process-wide lists (categories,
// persons, publishers, magazine titles), so no test sees another's.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "data/model/CategoryMgr.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"

// Bytes of the file format built by hand (strings of plain ASCII below 255
// characters).
struct ByteBuilder {
    std::string bytes;

    ByteBuilder& Word(unsigned v)
    {
        bytes += char(v & 0xFF);
        bytes += char((v >> 8) & 0xFF);
        return *this;
    }
    ByteBuilder& Int(long long v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes += char((u >> (8 * i)) & 0xFF);
        return *this;
    }
    ByteBuilder& Bool(bool b) { return Word(b ? 1 : 0); }
    ByteBuilder& Str(const std::string& s)
    {
        bytes += char(s.size());
        bytes += s;
        return *this;
    }
    ByteBuilder& Strings(const std::vector<std::string>& list)
    {
        Word(static_cast<unsigned>(list.size()));
        for (const std::string& s : list)
            Str(s);
        return *this;
    }
};

// Equal bytes, or where they first differ (a whole library would drown the
// output).
inline ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    auto window = [at](const std::string& s) {
        std::string hex;
        for (std::size_t i = at; i < s.size() && i < at + 16; ++i) {
            char part[4];
            std::snprintf(part, sizeof part, "%02X ", static_cast<unsigned char>(s[i]));
            hex += part;
        }
        return hex;
    };
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                         << ", first difference at " << at << ": " << window(actual) << "/ "
                                         << window(expected);
}

// The custom values of item for the field names, as reports see them; "-"
// where the item has none.
inline std::vector<std::string> CustomValues(
    const CLibrary& library, const CItem* item, const std::vector<std::string>& names)
{
    CMapStringToString map;
    for (const std::string& name : names)
        map.SetAt(name, "-");
    library.GatherCustomFieldDataForItem(item, map);
    std::vector<std::string> values;
    for (const std::string& name : names)
        values.push_back(map[name]);
    return values;
}

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedLists(); }
    void TearDown() override { ResetSharedLists(); }

    static void ResetSharedLists()
    {
        CCategoryMgr::DeleteInstance();
        CPublisherMgr::DeleteInstance();
        CPersonMgr::DeleteInstance();
        CMagazineMgr::DeleteInstance();
    }

    // The library file's bytes (format word 2 and the body).
    static std::string Bytes(CLibrary& library)
    {
        std::string bytes;
        CString error;
        EXPECT_TRUE(CLibraryFile::WriteBytes(library, bytes, error)) << error;
        return bytes;
    }

    // Reads bytes into library; the load must succeed.
    static void Load(CLibrary& library, const std::string& bytes)
    {
        bool converted = false;
        CString error;
        ASSERT_TRUE(CLibraryFile::ReadBytes(library, bytes, converted, error)) << error;
    }
};
