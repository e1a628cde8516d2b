#include "platform/util/DateTimeUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

COleDateTime InvalidDate()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    return date;
}

struct TextForm {
    bool timeOnly, noSeconds, twelveHour, withTime;
    const char* expected;
};

class DateTextForms : public ::testing::TestWithParam<TextForm> { };

TEST_P(DateTextForms, WritesTheFormAndReadsItBack)
{
    const TextForm& f = GetParam();
    const COleDateTime date(2000, 1, 5, 13, 4, 9);
    const CString text = CDateTimeUtils::ConvertDateNumbers(date, f.timeOnly, f.noSeconds, f.twelveHour, f.withTime);
    EXPECT_EQ(text, f.expected);

    COleDateTime read = COleDateTime::Null();
    ASSERT_TRUE(CDateTimeUtils::ConvertDateNumbers(text, read)) << text;
    EXPECT_EQ(CDateTimeUtils::ConvertDateNumbers(read, f.timeOnly, f.noSeconds, f.twelveHour, f.withTime), text);
    if (!f.timeOnly && f.withTime && !f.noSeconds) {
        EXPECT_EQ(read, date);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, DateTextForms,
    ::testing::Values(TextForm { false, false, false, false, "2000-01-05" },
        TextForm { false, false, false, true, "2000-01-05 13:04:09" },
        TextForm { false, true, false, true, "2000-01-05 13:04" },
        TextForm { false, false, true, true, "2000-01-05 1:04:09 PM" },
        TextForm { false, true, true, true, "2000-01-05 1:04 PM" }, TextForm { true, false, false, false, "13:04:09" },
        TextForm { true, true, false, false, "13:04" }, TextForm { true, false, true, false, "1:04:09 PM" },
        TextForm { true, true, true, true, "1:04 PM" }));

TEST(DateTimeUtils, WrittenTextsReadBackOverManyDates)
{
    for (double value = -657434.0; value < 2958466.0; value += 1234.567) {
        const COleDateTime date(value);
        const CString text = CDateTimeUtils::ConvertDateNumbers(date, false, false, false, true);
        COleDateTime read;
        ASSERT_TRUE(CDateTimeUtils::ConvertDateNumbers(text, read)) << text;
        ASSERT_EQ(read, date) << text;
    }
}

TEST(DateTimeUtils, EdgeTimesAndYearsAreWrittenInFull)
{
    EXPECT_EQ(
        CDateTimeUtils::ConvertDateNumbers(COleDateTime(100, 1, 1, 0, 0, 0), false, false, false, false), "0100-01-01");
    EXPECT_EQ(
        CDateTimeUtils::ConvertDateNumbers(COleDateTime(2000, 1, 1, 0, 0, 0), true, false, true, false), "12:00:00 AM");
    EXPECT_EQ(CDateTimeUtils::ConvertDateNumbers(COleDateTime(2000, 1, 1, 12, 0, 0), true, false, true, false),
        "12:00:00 PM");
    EXPECT_EQ(
        CDateTimeUtils::ConvertDateNumbers(COleDateTime(-1.25), false, false, false, true), "1899-12-29 06:00:00");
    EXPECT_EQ(CDateTimeUtils::ConvertDateNumbers(COleDateTime::Null(), false, false, false, false), "");
    EXPECT_EQ(CDateTimeUtils::ConvertDateNumbers(InvalidDate(), false, false, false, true), "");
    EXPECT_EQ(CDateTimeUtils::ConvertDateNumbers(COleDateTime(1e9), false, false, false, false), "");
}

struct ReadCase {
    const char* text;
    int year, month, day, hour, minute, second;
};

class DateTextReading : public ::testing::TestWithParam<ReadCase> { };

TEST_P(DateTextReading, AcceptsTheCommonNumericForms)
{
    const ReadCase& c = GetParam();
    COleDateTime date = COleDateTime::Null();
    ASSERT_TRUE(CDateTimeUtils::ConvertDateNumbers(c.text, date)) << c.text;
    EXPECT_EQ(date, COleDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, DateTextReading,
    ::testing::Values(ReadCase { "2000-01-05", 2000, 1, 5, 0, 0, 0 }, ReadCase { "2000/1/5", 2000, 1, 5, 0, 0, 0 },
        ReadCase { "1/5/2000", 2000, 1, 5, 0, 0, 0 }, ReadCase { "5.1.2000", 2000, 1, 5, 0, 0, 0 },
        ReadCase { "  2000-01-05\t", 2000, 1, 5, 0, 0, 0 }, ReadCase { "2000-01-05T13:04:09", 2000, 1, 5, 13, 4, 9 },
        ReadCase { "2000/01/05 13:04", 2000, 1, 5, 13, 4, 0 },
        ReadCase { "12/31/1999 11:59:59 pm", 1999, 12, 31, 23, 59, 59 },
        ReadCase { "31.12.1999  0:05", 1999, 12, 31, 0, 5, 0 },
        ReadCase { "2000-02-29 12:30AM", 2000, 2, 29, 0, 30, 0 }, ReadCase { "13:04:09", 1899, 12, 30, 13, 4, 9 },
        ReadCase { "0100-01-01", 100, 1, 1, 0, 0, 0 }));

class InvalidDateTexts : public ::testing::TestWithParam<const char*> { };

TEST_P(InvalidDateTexts, GiveAnInvalidDate)
{
    COleDateTime date(2000, 1, 1, 0, 0, 0);
    EXPECT_FALSE(CDateTimeUtils::ConvertDateNumbers(GetParam(), date));
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
}

INSTANTIATE_TEST_SUITE_P(Table, InvalidDateTexts,
    ::testing::Values("abc", "2000-13-01", "2001-02-29", "1900-02-29", "2000-01-32", "31/12/2000", "2000-01-05 25:00",
        "2000-01-05 13:60", "2000-01-05 x", "2000-01-05 13", "2000-01-05T", "20000-01-01", "0099-12-31", "1/5/00",
        "13:00 PM", "0:30 AM", "2000.01.05", "2000-01/05", "-1/-1/-1", "2000--01-05",
        "12:", "99999999999999999999-1-1"));

TEST(DateTimeUtils, EmptyTextGivesANullDate)
{
    for (const char* text : { "", "   ", "\t\n" }) {
        COleDateTime date(2000, 1, 1, 0, 0, 0);
        EXPECT_FALSE(CDateTimeUtils::ConvertDateNumbers(text, date));
        EXPECT_EQ(date.GetStatus(), COleDateTime::null);
    }
}

TEST(DateTimeUtils, CompareOrdersNullInvalidThenValidByMoment)
{
    const std::vector<COleDateTime> ascending { COleDateTime::Null(), InvalidDate(), COleDateTime(-1.25),
        COleDateTime(-1.75), COleDateTime(0.0), COleDateTime(1900, 3, 1, 0, 0, 0), COleDateTime(2000, 1, 1, 0, 0, 0),
        COleDateTime(2000, 1, 1, 0, 0, 1) };
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        for (std::size_t j = 0; j < ascending.size(); ++j) {
            const int expected = i < j ? -1 : (i > j ? 1 : 0);
            EXPECT_EQ(CDateTimeUtils::Compare(ascending[i], ascending[j]), expected) << i << " " << j;
        }
    }
    COleDateTime otherInvalid(5.0);
    otherInvalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(CDateTimeUtils::Compare(InvalidDate(), otherInvalid), 0);
}

struct DeltaCase {
    long long secondsAgo;
    bool otherDay;
    const char* expected;
};

class DeltaTexts : public ::testing::TestWithParam<DeltaCase> { };

TEST_P(DeltaTexts, SayHowLongAgo)
{
    const DeltaCase& c = GetParam();
    const COleDateTime now(2024, 3, 15, 12, 0, 0);
    const COleDateTime then = now - COleDateTimeSpan(0, 0, 0, static_cast<int>(c.secondsAgo));
    EXPECT_EQ(CDateTimeUtils::GetDeltaText(then, now, c.otherDay), c.expected) << c.secondsAgo;
}

constexpr long long HOUR = 3600;
constexpr long long DAY = 24 * HOUR;

INSTANTIATE_TEST_SUITE_P(Table, DeltaTexts,
    ::testing::Values(DeltaCase { 0, false, "just now" }, DeltaCase { 59, false, "just now" },
        DeltaCase { 60, false, "1 minute ago" }, DeltaCase { 5 * 60, false, "5 minutes ago" },
        DeltaCase { HOUR, false, "1 hour ago" }, DeltaCase { 3 * HOUR, false, "3 hours ago" },
        DeltaCase { 20 * HOUR, true, "yesterday" }, DeltaCase { 40 * HOUR, true, "2 days ago" },
        DeltaCase { 30 * HOUR, false, "1 day ago" }, DeltaCase { 3 * DAY, true, "3 days ago" },
        DeltaCase { 13 * DAY, false, "13 days ago" }, DeltaCase { 14 * DAY, true, "2 weeks ago" },
        DeltaCase { 59 * DAY, false, "8 weeks ago" }, DeltaCase { 60 * DAY, false, "2 months ago" },
        DeltaCase { 364 * DAY, false, "12 months ago" }, DeltaCase { 365 * DAY, false, "1 year ago" },
        DeltaCase { 800 * DAY, false, "2 years ago" }, DeltaCase { -1, false, "in the future" }));

TEST(DateTimeUtils, DeltaTextOfDatesThatAreNotValidIsEmpty)
{
    const COleDateTime now(2024, 3, 15, 12, 0, 0);
    EXPECT_EQ(CDateTimeUtils::GetDeltaText(COleDateTime::Null(), now, false), "");
    EXPECT_EQ(CDateTimeUtils::GetDeltaText(now, InvalidDate(), true), "");
}

TEST(DateTimeUtils, CalendarDaysCountDayChangesNotElapsedTime)
{
    const COleDateTime lateEvening(2000, 1, 1, 23, 59, 59);
    const COleDateTime earlyMorning(2000, 1, 2, 0, 0, 1);
    EXPECT_EQ(CDateTimeUtils::CalendarDaysBetween(lateEvening, earlyMorning), 1);
    EXPECT_EQ(CDateTimeUtils::CalendarDaysBetween(earlyMorning, lateEvening), -1);
    EXPECT_EQ(CDateTimeUtils::CalendarDaysBetween(lateEvening, COleDateTime(2000, 1, 1, 0, 0, 0)), 0);
    EXPECT_EQ(
        CDateTimeUtils::CalendarDaysBetween(COleDateTime(2000, 1, 1, 0, 0, 0), COleDateTime(2001, 1, 1, 0, 0, 0)), 366);
    EXPECT_EQ(CDateTimeUtils::CalendarDaysBetween(COleDateTime(-1.75), COleDateTime(0.25)), 1);
    EXPECT_EQ(CDateTimeUtils::CalendarDaysBetween(COleDateTime::Null(), earlyMorning), 0);
}

} // namespace
