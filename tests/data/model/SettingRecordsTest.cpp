#include <gtest/gtest.h>

#include <vector>

#include "data/model/AudioSetting.h"
#include "data/model/SpecialFeatures.h"
#include "data/model/VideoSetting.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

// The flag property names of each record in stored order.
const std::vector<CString> kAudioFlags { "Mono", "Stereo", "SACD", "HDCD", "THX", "Quadraphonic", "Dolby Surround",
    "Dolby Digital", "Dolby Digital Ex", "Dolby Digital Plus", "Dolby TrueHD", "DTS", "DTS-ES Discrete", "DTS-HD",
    "DTS-HD Master Audio", "Bass" };
const std::vector<CString> kVideoFlags { "Pan & Scan", "Widescreen" };
const std::vector<CString> kFeatureFlags { "Alt. Ending", "Behind-the-Scenes", "Bios", "Commentary", "Deleted Scenes",
    "Game", "Making Of", "Multi-angle", "Music Track", "Music Video", "Outtakes", "Photos", "Subtitles", "Trailer",
    "Web Links" };

CMapStringToString MapOf(const std::vector<CString>& keys, const CString& value)
{
    CMapStringToString map;
    for (const CString& key : keys)
        map.SetAt(key, value);
    return map;
}

WORD WordAt(const std::string& bytes, std::size_t offset)
{
    return static_cast<WORD>(static_cast<BYTE>(bytes[offset]) | static_cast<BYTE>(bytes[offset + 1]) << 8);
}

// Each flag set alone through its property name lands in its own word of the
// record, reads back equal, and shows as the only "Y" in the map.
template <class Record> void CheckFlagsOneByOne(const std::vector<CString>& flags, std::size_t recordSize)
{
    Record empty;
    const std::string emptyBytes = StoreBytes(empty);
    ASSERT_EQ(emptyBytes.size(), recordSize);
    EXPECT_EQ(WordAt(emptyBytes, 0), 1);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        Record record;
        record.SetData(MapOf({ flags[i] }, "yes"), true);
        const std::string bytes = StoreBytes(record);
        ASSERT_EQ(bytes.size(), recordSize);
        for (std::size_t j = 0; j < flags.size(); ++j)
            EXPECT_EQ(WordAt(bytes, 2 + 2 * j), i == j ? 1 : 0) << flags[i] << " word " << j;

        Record read;
        EXPECT_EQ(LoadBytes(read, bytes), 0u);
        EXPECT_TRUE(read == record) << flags[i];
        EXPECT_FALSE(read == empty) << flags[i];

        CMapStringToString shown = MapOf(flags, "?");
        read.GetData(shown);
        for (const CString& flag : flags)
            EXPECT_EQ(shown[flag], flag == flags[i] ? "Y" : "N") << flags[i];
    }
}

template <class Record> void CheckDamagedRecords(const std::vector<CString>& flags)
{
    Record record;
    record.SetData(MapOf(flags, "Y"), true);
    const std::string bytes = StoreBytes(record);
    // A failed read leaves the target as it was.
    Record target;
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_TRUE(target == Record());

    // Any word other than 1 reads as false.
    std::string twos = bytes;
    for (std::size_t i = 0; i < flags.size(); ++i)
        twos[2 + 2 * i] = 2;
    Record read;
    LoadBytes(read, twos);
    EXPECT_TRUE(read == Record());
}

TEST(AudioSettingTest, FlagsInStoredOrder)
{
    CheckFlagsOneByOne<CAudioSetting>(kAudioFlags, 38);
}

TEST(VideoSettingTest, FlagsInStoredOrder)
{
    CheckFlagsOneByOne<CVideoSetting>(kVideoFlags, 6);
}

TEST(SpecialFeaturesTest, FlagsInStoredOrder)
{
    CheckFlagsOneByOne<CSpecialFeatures>(kFeatureFlags, 32);
}

TEST(AudioSettingTest, DamagedRecords)
{
    CheckDamagedRecords<CAudioSetting>(kAudioFlags);
}

TEST(VideoSettingTest, DamagedRecords)
{
    CheckDamagedRecords<CVideoSetting>(kVideoFlags);
}

TEST(SpecialFeaturesTest, DamagedRecords)
{
    CheckDamagedRecords<CSpecialFeatures>(kFeatureFlags);
}

TEST(AudioSettingTest, ChannelsAreTheLastField)
{
    CAudioSetting audio;
    audio.SetFullRangeChannels(-7);
    audio.SetDTS(true);
    const std::string bytes = StoreBytes(audio);
    EXPECT_EQ(bytes.substr(34), std::string("\xF9\xFF\xFF\xFF", 4));
    CAudioSetting read;
    LoadBytes(read, bytes);
    EXPECT_EQ(read.GetFullRangeChannels(), -7);
    EXPECT_TRUE(read.GetDTS());
}

TEST(AudioSettingTest, GetDataFillsOnlySeededKeys)
{
    CAudioSetting audio;
    audio.SetStereo(true);
    audio.SetFullRangeChannels(5);
    CMapStringToString map;
    map.SetAt("Stereo", "");
    map.SetAt("Channels", "");
    map.SetAt("Title", "kept");
    audio.GetData(map);
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_EQ(map["Stereo"], "Y");
    EXPECT_EQ(map["Channels"], "5");
    EXPECT_EQ(map["Title"], "kept");
}

TEST(AudioSettingTest, SetDataReadsYesAndLeadingDigits)
{
    CAudioSetting audio;
    CMapStringToString map;
    map.SetAt("Channels", "5.1");
    map.SetAt("Dolby Digital", "it");
    map.SetAt("Mono", "no");
    audio.SetMono(true);
    audio.SetData(map, true);
    EXPECT_EQ(audio.GetFullRangeChannels(), 5);
    EXPECT_TRUE(audio.GetDolbyDigital());
    EXPECT_FALSE(audio.GetMono());

    map.SetAt("Channels", "surround");
    audio.SetData(map, true);
    EXPECT_EQ(audio.GetFullRangeChannels(), 0);
}

TEST(SettingRecordsTest, SetDataWithoutApplyChangesNothing)
{
    CAudioSetting audio;
    audio.SetData(MapOf(kAudioFlags, "Y"), false);
    EXPECT_TRUE(audio == CAudioSetting());
    CVideoSetting video;
    video.SetData(MapOf(kVideoFlags, "Y"), false);
    EXPECT_TRUE(video == CVideoSetting());
    CSpecialFeatures features;
    features.SetData(MapOf(kFeatureFlags, "Y"), false);
    EXPECT_TRUE(features == CSpecialFeatures());
}

} // namespace
