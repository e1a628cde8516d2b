// The shared data file and the settings record, cut at every length and
// with every byte set to 0x00, 0xFF, 0x80 and its value + 1 and every four
// bytes set to a count of 0, 1, 2^31-1, 2^31 and 2^32-1: refused, or read
// whole and written back as bytes that read back to themselves, never
// holding more than twice the file's size plus 1 MiB. And
// the damage the library sweep found: a count made smaller near the end of
// a file left bytes unread, and the read still counted as a success.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "AllocationCounter.h"
#include "SampleLibrary.h"
#include "SaveTargets.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/SharedData.h"
#include "platform/appcfg/AppSettings.h"
#include "platform/util/Archive.h"
#include "support/TempDir.h"

namespace {

// Reads bytes; on success gives what is written back.
using Reader = std::function<bool(const std::string& bytes, std::string& back)>;

bool ReadSharedData(const std::string& bytes, std::string& back)
{
    vemotest::ResetSharedLists();
    try {
        CArchive in { std::string_view(bytes) };
        CSharedData::Serialize(in);
    } catch (const CArchiveException&) {
        return false;
    }
    CArchive out;
    CSharedData::Serialize(out);
    back = out.GetBuffer();
    return true;
}

bool ReadSettings(const std::string& bytes, std::string& back)
{
    static vemotest::ScratchDir dir;
    CAppSettings settings("/nonexistent/bin", "VemoLibrary");
    settings.SetSettingsFile(dir.File("VemoLibrary.settings"));
    vemotest::WriteAll(settings.GetSettingsFile(), bytes);
    bool firstRun = false;
    if (!settings.Read(firstRun) || firstRun)
        return false;
    CArchive out;
    settings.Serialize(out);
    back = out.GetBuffer();
    return true;
}

struct RecordCase {
    const char* name;
    std::string (*bytes)();
    Reader read;
};

class DamagedRecord : public ::testing::TestWithParam<RecordCase> { };

TEST_P(DamagedRecord, IsRefusedOrReadWhole)
{
    const std::string original = GetParam().bytes();
    const Reader& read = GetParam().read;
    std::string back;
    ASSERT_TRUE(read(original, back));
    ASSERT_EQ(back, original);

    int variants = 0;
    int accepted = 0;
    std::size_t peak = 0;
    // Reads a damaged variant: no more memory than twice its size plus
    // 1 MiB, and what is read whole writes back to bytes that read back.
    auto check = [&](const std::string& variant, const std::string& what) {
        ++variants;
        vemotest::AllocationCounter::Start();
        const bool whole = read(variant, back);
        const std::size_t used = vemotest::AllocationCounter::PeakSinceStart();
        peak = std::max(peak, used);
        EXPECT_LE(used, 2 * variant.size() + (1u << 20)) << what;
        if (!whole)
            return;
        ++accepted;
        std::string twice;
        ASSERT_TRUE(read(back, twice)) << what;
        EXPECT_EQ(twice, back) << what;
    };
    for (std::size_t n = 0; n < original.size(); ++n, ++variants)
        EXPECT_FALSE(read(original.substr(0, n), back)) << "cut to " << n;
    for (std::size_t i = 0; i < original.size(); ++i) {
        const unsigned char was = static_cast<unsigned char>(original[i]);
        for (unsigned value : { 0x00u, 0xFFu, 0x80u, (was + 1u) & 0xFFu }) {
            if (value == was)
                continue;
            std::string variant = original;
            variant[i] = static_cast<char>(value);
            check(variant, "byte " + std::to_string(i) + " set to " + std::to_string(value));
        }
    }
    // Every four bytes read as a count or length of 0, 1, 2^31-1, 2^31 and 2^32-1.
    for (std::size_t i = 0; i + 4 <= original.size(); ++i) {
        for (std::uint32_t value : { 0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu }) {
            std::string variant = original;
            for (int k = 0; k < 4; ++k)
                variant[i + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
            if (variant != original)
                check(variant, "32 bits at " + std::to_string(i) + " set to " + std::to_string(value));
        }
    }
    std::cout << "[ figures  ] " << GetParam().name << ": " << variants << " damaged variants of " << original.size()
              << " bytes read, " << accepted << " read whole; peak allocation " << peak << " bytes\n";
    vemotest::ResetSharedLists();
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedRecord,
    ::testing::Values(RecordCase { "SharedData", [] { return vemotest::SampleSharedDataBytes(4); }, ReadSharedData },
        RecordCase { "Settings",
            [] {
                CAppSettings settings("/nonexistent/bin", "VemoLibrary");
                CArchive out;
                settings.Serialize(out);
                return out.GetBuffer();
            },
            ReadSettings }),
    [](const auto& info) { return std::string(info.param.name); });

// Found by the byte sweep: the saved search strings' count set to 0 left
// the strings unread, and the file still read as a whole library.
TEST(DamagedLibraryRegression, BytesLeftAfterTheBodyAreRefused)
{
    const std::string original = vemotest::SampleLibraryBytes(0);
    const std::string searches("\x02\x00\x13Living room shelves", 22);
    const std::size_t at = original.rfind(searches);
    ASSERT_NE(at, std::string::npos);
    std::string lostStrings = original;
    lostStrings[at] = '\0';

    CLibrary library(true, false);
    bool converted = false;
    CString error;
    EXPECT_FALSE(CLibraryFile::ReadBytes(library, lostStrings, converted, error));
    EXPECT_EQ(error, CLibraryFile::READ_ERROR);
    EXPECT_FALSE(CLibraryFile::ReadBytes(library, original + '\0', converted, error));
    EXPECT_TRUE(CLibraryFile::ReadBytes(library, original, converted, error)) << error;
}

TEST(DamagedSharedDataRegression, BytesLeftAfterTheLastBlockAreRefused)
{
    const std::string original = vemotest::SampleSharedDataBytes(3);
    std::string back;
    EXPECT_FALSE(ReadSharedData(original + '\0', back));
    EXPECT_TRUE(ReadSharedData(original, back));
    vemotest::ResetSharedLists();
}

// Found by fuzzing the settings record: window edges far apart made the
// width overflow, and a window of no size near the largest position
// overflowed when it got the default size. Such a window reads as one of
// the default size.
struct ShapeCase {
    CRect stored;
    CRect read;
};

class DamagedSettingsRegression : public ::testing::TestWithParam<ShapeCase> { };

TEST_P(DamagedSettingsRegression, AWindowWhoseSizeDoesNotFitGetsTheDefaultSize)
{
    CAppSettings written("/nonexistent/bin", "VemoLibrary");
    written.SetAppShape(GetParam().stored, false, false);
    CArchive out;
    written.Serialize(out);

    CAppSettings read("/nonexistent/bin", "VemoLibrary");
    CArchive in { std::string_view(out.GetBuffer()) };
    read.Serialize(in);
    CRect rect;
    bool minimised = true;
    bool maximised = true;
    read.GetAppShape(rect, minimised, maximised);
    EXPECT_EQ(rect, GetParam().read);
}

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kW = CAppSettings::DEFAULT_WIDTH;
constexpr int kH = CAppSettings::DEFAULT_HEIGHT;

INSTANTIATE_TEST_SUITE_P(Shapes, DamagedSettingsRegression,
    ::testing::Values(ShapeCase { CRect(10, 20, 810, 620), CRect(10, 20, 810, 620) },
        ShapeCase { CRect(kMin, 0, kMax, 500), CRect(kMin, 0, kMin + kW, kH) },
        ShapeCase { CRect(0, kMin + 1, 500, kMax), CRect(0, kMin + 1, kW, kMin + 1 + kH) },
        ShapeCase { CRect(-2000000000, 5, 2000000000, 600), CRect(-2000000000, 5, -2000000000 + kW, 5 + kH) },
        ShapeCase { CRect(kMax - 10, kMax, kMax, kMax), CRect(0, 0, kW, kH) },
        ShapeCase { CRect(30, 40, 30, 40), CRect(30, 40, 30 + kW, 40 + kH) }));

} // namespace
