#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "data/model/MediaUtils.h"
#include "tests/data/RecordBytes.h"

namespace {

using MU = CMediaUtils;

struct MediaNames {
    int id;
    const char* singular;
    const char* plural;
    const char* abbreviation;
};

class MediaNameTest : public testing::TestWithParam<MediaNames> { };

TEST_P(MediaNameTest, NamesAndParsingBack)
{
    const MediaNames& row = GetParam();
    EXPECT_EQ(MU::GetMediaNameSingular(row.id), row.singular);
    EXPECT_EQ(MU::GetMediaNamePlural(row.id), row.plural);
    EXPECT_EQ(MU::GetMediaNameAbbrv(row.id), row.abbreviation);
    EXPECT_EQ(MU::GetMediaID(row.singular), row.id);
    EXPECT_EQ(MU::GetMediaID(row.plural), row.id);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, MediaNameTest,
    testing::Values(MediaNames { 1, "Book", "Books", "Books" },
        MediaNames { 2, "Cassette Tape", "Cassette Tapes", "Cassettes" }, MediaNames { 3, "CD", "CDs", "CDs" },
        MediaNames { 4, "Recordable CD", "Recordable CDs", "Rec. CDs" },
        MediaNames { 5, "DAT Tape", "DAT Tapes", "DAT Tapes" }, MediaNames { 6, "DVD", "DVDs", "DVDs" },
        MediaNames { 7, "DVD-Audio Disc", "DVD-Audio Discs", "DVD-Audio" },
        MediaNames { 8, "Recordable DVD", "Recordable DVDs", "Rec. DVDs" },
        MediaNames { 9, "Recordable DVD-Audio Disc", "Recordable DVD-Audio Discs", "Rec. DVD-A" },
        MediaNames { 10, "Laserdisc", "Laserdiscs", "Laserdiscs" },
        MediaNames { 11, "Magazine", "Magazines", "Magazines" },
        MediaNames { 12, "Minidisc", "Minidiscs", "Minidiscs" },
        MediaNames { 13, "Record Album", "Record Albums", "Records" },
        MediaNames { 14, "Sheet Music", "Sheet Music", "Sheet Music" },
        MediaNames { 15, "Software", "Software", "Software" },
        MediaNames { 16, "Video Tape", "Video Tapes", "Video Tapes" },
        MediaNames { 17, "Reel-to-Reel Tape", "Reel-to-Reel Tapes", "Reel-to-Reel" },
        MediaNames { 18, "8-Track Cartridge", "8-Track Cartridges", "8-Tracks" },
        MediaNames { 19, "Video Game", "Video Games", "Video Games" },
        MediaNames { 20, "DualDisc", "DualDiscs", "DualDiscs" },
        MediaNames { 21, "Blu-ray Disc", "Blu-ray Discs", "Blu-ray" },
        MediaNames { 22, "Recordable Blu-ray Disc", "Recordable Blu-ray Discs", "Rec. Blu-ray" },
        MediaNames { 23, "HD DVD", "HD DVDs", "HD DVDs" },
        MediaNames { 24, "Recordable HD DVD", "Recordable HD DVDs", "Rec. HD DVDs" }));

TEST(MediaUtilsTest, IdsOutsideTheTableHaveNoNames)
{
    for (int id : { -1, 0, 25, 116, 125 }) {
        EXPECT_EQ(MU::GetMediaNameSingular(id), "") << id;
        EXPECT_EQ(MU::GetMediaNamePlural(id), "") << id;
        EXPECT_EQ(MU::GetMediaNameAbbrv(id), "") << id;
    }
}

struct ParsedName {
    const char* text;
    int id;
};

class MediaIDParseTest : public testing::TestWithParam<ParsedName> { };

TEST_P(MediaIDParseTest, FirstRuleThatMatchesDecides)
{
    EXPECT_EQ(MU::GetMediaID(GetParam().text), GetParam().id) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rules, MediaIDParseTest,
    testing::Values(ParsedName { "", 0 }, ParsedName { "Recordable HD DVDs", 24 }, ParsedName { "HD-DVD", 6 },
        ParsedName { "hddvd", 23 }, ParsedName { "Blu-ray", 21 }, ParsedName { "BluRay rec", 22 },
        ParsedName { "8-Track Cartridge", 18 }, ParsedName { "Minidisc", 12 }, ParsedName { "Rec. DVD-A", 8 },
        ParsedName { "Records", 0 }, ParsedName { "Video Game", 19 }, ParsedName { "Video", 16 },
        ParsedName { "CD-ROM software", 3 }, ParsedName { "Enhanced CD", 3 }, ParsedName { "RECORDABLE CD", 4 },
        ParsedName { "Record Album", 13 }, ParsedName { "DVD audio", 7 }, ParsedName { "rec dvd audio", 9 },
        ParsedName { "dat", 5 }, ParsedName { "Dual", 20 }, ParsedName { "Paperback Book", 1 },
        ParsedName { "cass", 2 }, ParsedName { "LASER", 10 }, ParsedName { "mag", 11 }, ParsedName { "sheet", 14 },
        ParsedName { "soft", 15 }, ParsedName { "reel", 17 }, ParsedName { "vinyl", 0 }));

TEST(MediaUtilsTest, EveryTypeBelongsToExactlyOneGroup)
{
    const std::set<int> recordable { 2, 4, 5, 8, 9, 12, 16, 17, 22, 24 };
    const std::set<int> audio { 2, 3, 4, 5, 7, 9, 12, 13, 17, 18, 20 };
    const std::set<int> video { 6, 8, 10, 16, 19, 21, 22, 23, 24 };
    const std::set<int> print { 1, 11, 14 };
    for (int id = -1; id <= 26; ++id) {
        bool audioRec = true;
        bool videoRec = true;
        const bool isAudio = MU::IsMediaTypeAudio(id, audioRec);
        const bool isVideo = MU::IsMediaTypeVideo(id, videoRec);
        EXPECT_EQ(isAudio, audio.count(id) == 1) << id;
        EXPECT_EQ(isVideo, video.count(id) == 1) << id;
        EXPECT_EQ(MU::IsMediaTypePrint(id), print.count(id) == 1) << id;
        EXPECT_EQ(MU::IsMediaTypeOther(id), id == 15) << id;
        EXPECT_EQ(audioRec, isAudio && recordable.count(id) == 1) << id;
        EXPECT_EQ(videoRec, isVideo && recordable.count(id) == 1) << id;
    }
}

TEST(MediaUtilsTest, AlphaOrderAppends)
{
    CUIntArray ids;
    ids.Add(99);
    MU::GetAlphaOrderedMediaIDs(ids);
    const CUIntArray expected { 99, 18, 21, 22, 1, 2, 3, 4, 5, 20, 6, 8, 7, 9, 23, 24, 10, 11, 12, 13, 17, 14, 15, 19,
        16 };
    EXPECT_EQ(ids, expected);
}

struct PropKinds {
    const char* prop;
    const char* kinds; // letters of D Y N T X L G that are set
};

class ClassifyTest : public testing::TestWithParam<PropKinds> { };

TEST_P(ClassifyTest, FlagsFollowTheKindLetters)
{
    bool d = true, y = true, n = true, t = true, x = true, l = true, g = true;
    MU::ClassifyDataProp(GetParam().prop, d, y, n, t, x, l, g);
    CString got;
    for (auto [flag, letter] :
        { std::pair { d, 'D' }, { y, 'Y' }, { n, 'N' }, { t, 'T' }, { x, 'X' }, { l, 'L' }, { g, 'G' } })
        if (flag)
            got += letter;
    EXPECT_EQ(got, GetParam().kinds) << GetParam().prop;
}

INSTANTIATE_TEST_SUITE_P(Table, ClassifyTest,
    testing::Values(PropKinds { "Articles", "DNG" }, PropKinds { "Channels", "NL" }, PropKinds { "Media", "DXG" },
        PropKinds { "Tracks", "DN" }, PropKinds { "Subscription Exp. Date", "XG" }, PropKinds { "Acquired", "T" },
        PropKinds { "Rec. Date", "T" }, PropKinds { "Disc #", "NLG" }, PropKinds { "Check-out Status", "DLG" },
        PropKinds { "Subscription?", "YG" }, PropKinds { "Length", "X" }, PropKinds { "Track Length", "X" },
        PropKinds { "Counter", "X" }, PropKinds { "Publisher", "XLG" }, PropKinds { "Console/Format", "L" },
        PropKinds { "Pan & Scan", "Y" }, PropKinds { "Image Width", "NG" }, PropKinds { "My own field", "" },
        PropKinds { "title", "" }, PropKinds { "", "" }));

TEST(MediaUtilsTest, AllPropertyNamesAreDistinctAndClassified)
{
    const CStringArray& props = MU::GetAllDataProps();
    ASSERT_EQ(props.GetSize(), 113);
    EXPECT_EQ(std::set<CString>(props.begin(), props.end()).size(), 113u);
    for (const CString& prop : props) {
        bool d, y, n, t, x, l, g;
        MU::ClassifyDataProp(prop, d, y, n, t, x, l, g);
        EXPECT_TRUE(d || y || n || t || x || l || g) << prop;
        EXPECT_TRUE(MU::IsDataProp(prop)) << prop;
    }
    EXPECT_FALSE(MU::IsDataProp("Title "));
}

struct SubItemCase {
    const char* prop;
    bool withoutShared;
    bool withShared;
};

class SubItemPropTest : public testing::TestWithParam<SubItemCase> { };

TEST_P(SubItemPropTest, AlwaysAndShared)
{
    EXPECT_EQ(MU::IsDataPropSubItemProp(GetParam().prop, false), GetParam().withoutShared) << GetParam().prop;
    EXPECT_EQ(MU::IsDataPropSubItemProp(GetParam().prop, true), GetParam().withShared) << GetParam().prop;
}

INSTANTIATE_TEST_SUITE_P(Table, SubItemPropTest,
    testing::Values(SubItemCase { "", false, false }, SubItemCase { "Track #", true, true },
        SubItemCase { "Page", true, true }, SubItemCase { "Side", true, true }, SubItemCase { "Title", false, true },
        SubItemCase { "Series Number", false, true }, SubItemCase { "Category", false, true },
        SubItemCase { "Year", false, false }, SubItemCase { "track #", false, false },
        SubItemCase { "Custom", false, false }));

struct TimeTexts {
    int secs;
    const char* hhmmss;
    const char* hhmm;
    const char* mmss;
    const char* mm;
};

class TimeTextTest : public testing::TestWithParam<TimeTexts> { };

TEST_P(TimeTextTest, Formats)
{
    const TimeTexts& row = GetParam();
    EXPECT_EQ(MU::ConvertToHHMMSS(row.secs), row.hhmmss);
    EXPECT_EQ(MU::ConvertToHHMM(row.secs), row.hhmm);
    EXPECT_EQ(MU::ConvertToMMSS(row.secs), row.mmss);
    EXPECT_EQ(MU::ConvertToMM(row.secs), row.mm);
}

INSTANTIATE_TEST_SUITE_P(Table, TimeTextTest,
    testing::Values(TimeTexts { 3725, "1:02:05", "1:02", "62:05", "62" },
        TimeTexts { 125, "02:05", "0:02", "02:05", "2" }, TimeTexts { 5, "00:05", "0:00", "00:05", "0" },
        TimeTexts { 0, "00:00", "0:00", "00:00", "0" }, TimeTexts { 59, "00:59", "0:00", "00:59", "0" },
        TimeTexts { 60, "01:00", "0:01", "01:00", "1" }, TimeTexts { 119, "01:59", "0:01", "01:59", "1" },
        TimeTexts { 3600, "1:00:00", "1:00", "60:00", "60" },
        TimeTexts { 36610, "10:10:10", "10:10", "610:10", "610" }));

TEST(MediaUtilsTest, SplittingDropsRemainders)
{
    int h = -1, m = -1, s = -1;
    MU::ConvertToHHMMSS(3725, h, m, s);
    EXPECT_EQ((std::tuple { h, m, s }), (std::tuple { 1, 2, 5 }));
    MU::ConvertToHHMM(3659, h, m);
    EXPECT_EQ((std::pair { h, m }), (std::pair { 1, 0 }));
    MU::ConvertToMMSS(3725, m, s);
    EXPECT_EQ((std::pair { m, s }), (std::pair { 62, 5 }));
    MU::ConvertToMM(119, m);
    EXPECT_EQ(m, 1);
}

struct TimeRead {
    const char* text;
    int secs;
    bool adjusted;
};

class ConvertFromTimeTest : public testing::TestWithParam<TimeRead> { };

TEST_P(ConvertFromTimeTest, ReadsFromTheRight)
{
    bool adjusted = !GetParam().adjusted;
    EXPECT_EQ(MU::ConvertFromTime(GetParam().text, &adjusted), GetParam().secs) << GetParam().text;
    EXPECT_EQ(adjusted, GetParam().adjusted) << GetParam().text;
    EXPECT_EQ(MU::ConvertFromTime(GetParam().text), GetParam().secs);
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertFromTimeTest,
    testing::Values(TimeRead { "", 0, false }, TimeRead { "1.02.03", 3723, false }, TimeRead { "2,5", 125, false },
        TimeRead { "1:02:03", 3723, false }, TimeRead { "-5", 5, true }, TimeRead { "1:2:3:4", 7384, false },
        TimeRead { "90", 90, false }, TimeRead { "1:90", 119, true }, TimeRead { "150:00", 9000, false },
        TimeRead { "5:60", 359, true }, TimeRead { "1:-30", 90, true }, TimeRead { "-1:00:00", -3600, false },
        TimeRead { "2:99:99", 2 * 3600 + 59 * 60 + 59, true }, TimeRead { "abc", 0, false },
        TimeRead { "3:", 180, false }, TimeRead { "999999999:00:00", INT_MAX, false }));

struct SeriesCase {
    const char* a;
    const char* b;
    int expected;
};

class SeriesNumberTest : public testing::TestWithParam<SeriesCase> { };

TEST_P(SeriesNumberTest, NumbersFirstThenText)
{
    EXPECT_EQ(MU::CompareSeriesNumbers(GetParam().a, GetParam().b), GetParam().expected)
        << GetParam().a << " / " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(Table, SeriesNumberTest,
    testing::Values(SeriesCase { "2", "10", -1 }, SeriesCase { "10", "2", 1 }, SeriesCase { "abc", "ABC", 0 },
        SeriesCase { "", "", 0 }, SeriesCase { "", "1", -1 }, SeriesCase { "1", "", 1 },
        SeriesCase { "Vol. 2", "Vol. 10", -1 }, SeriesCase { "10b", "9", 1 }, SeriesCase { "Vol 2", "vol 2", 0 },
        SeriesCase { "Vol 2", "Tome 2", 1 }, SeriesCase { "1.5", "1.25", 1 }, SeriesCase { "Part II", "Part 1", 1 },
        SeriesCase { "Part 1", "Part II", -1 }, SeriesCase { "a1", "b1", -1 }, SeriesCase { "x 1,000", "x 999", 1 }));

TEST(MediaUtilsTest, IsYesLooksForAnyYesCharacter)
{
    for (const char* yes : { "yes", "Y", "True", "1", "10", "maybe", "tea", "T" })
        EXPECT_TRUE(MU::IsYes(yes)) << yes;
    for (const char* no : { "", "no", "0", "N", "false" })
        EXPECT_FALSE(MU::IsYes(no)) << no;
}

TEST(MediaUtilsTest, BooleanIsAWordAndOnlyOneIsTrue)
{
    for (bool value : { true, false }) {
        CArchive out;
        bool v = value;
        MU::Serialize(out, v);
        EXPECT_EQ(out.GetBuffer(), value ? std::string("\x01\x00", 2) : std::string("\x00\x00", 2));
    }
    for (auto [bytes, expected] :
        { std::pair { std::string("\x01\x00", 2), true }, { std::string("\x02\x00", 2), false },
            { std::string("\xFF\xFF", 2), false }, { std::string("\x00\x01", 2), false } }) {
        CArchive in { std::string_view(bytes) };
        bool value = !expected;
        MU::Serialize(in, value);
        EXPECT_EQ(value, expected);
    }
    vemotest::ExpectTruncationsThrow(std::string("\x01\x00", 2), [](CArchive& ar) {
        bool value = false;
        MU::Serialize(ar, value);
    });
}

} // namespace
