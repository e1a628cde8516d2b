// The shared data file and the settings record, cut at every length and
// with every byte set to 0x00, 0xFF, 0x80 and its value + 1: refused, or
// read whole and written back as bytes that read back to themselves. And
// the damage the library sweep found: a count made smaller near the end of
// a file left bytes unread, and the read still counted as a success.
#include <gtest/gtest.h>

#include <functional>
#include <string>

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
    for (std::size_t n = 0; n < original.size(); ++n, ++variants)
        EXPECT_FALSE(read(original.substr(0, n), back)) << "cut to " << n;
    for (std::size_t i = 0; i < original.size(); ++i) {
        const unsigned char was = static_cast<unsigned char>(original[i]);
        for (unsigned value : { 0x00u, 0xFFu, 0x80u, (was + 1u) & 0xFFu }) {
            if (value == was)
                continue;
            std::string variant = original;
            variant[i] = static_cast<char>(value);
            ++variants;
            if (!read(variant, back))
                continue;
            ++accepted;
            std::string twice;
            ASSERT_TRUE(read(back, twice)) << "byte " << i << " set to " << value;
            EXPECT_EQ(twice, back) << "byte " << i << " set to " << value;
        }
    }
    std::cout << "[ figures  ] " << GetParam().name << ": " << variants << " damaged variants of " << original.size()
              << " bytes read, " << accepted << " read whole\n";
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

} // namespace
