#include "platform/util/OleDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace {

struct KnownDate {
    int year, month, day, hour, minute, second;
    double value;
};

class OleDateKnownNumbers : public ::testing::TestWithParam<KnownDate> { };

TEST_P(OleDateKnownNumbers, PartsAndNumberAgreeBothWays)
{
    const KnownDate& k = GetParam();
    const COleDateTime built(k.year, k.month, k.day, k.hour, k.minute, k.second);
    ASSERT_EQ(built.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(built.GetValue(), k.value);

    int y, mo, d, h, mi, s;
    ASSERT_TRUE(COleDateTime(k.value).GetParts(y, mo, d, h, mi, s));
    EXPECT_EQ(y, k.year);
    EXPECT_EQ(mo, k.month);
    EXPECT_EQ(d, k.day);
    EXPECT_EQ(h, k.hour);
    EXPECT_EQ(mi, k.minute);
    EXPECT_EQ(s, k.second);
}

INSTANTIATE_TEST_SUITE_P(Table, OleDateKnownNumbers,
    ::testing::Values(KnownDate { 1899, 12, 30, 0, 0, 0, 0.0 }, KnownDate { 2000, 1, 1, 0, 0, 0, 36526.0 },
        KnownDate { 2000, 1, 1, 12, 0, 0, 36526.5 }, KnownDate { 1900, 2, 28, 0, 0, 0, 60.0 },
        KnownDate { 1900, 3, 1, 0, 0, 0, 61.0 }, KnownDate { 1970, 1, 1, 0, 0, 0, 25569.0 },
        KnownDate { 1899, 12, 29, 0, 0, 0, -1.0 }, KnownDate { 1899, 12, 29, 6, 0, 0, -1.25 },
        KnownDate { 1899, 12, 29, 18, 0, 0, -1.75 }, KnownDate { 1899, 12, 30, 12, 0, 0, 0.5 },
        KnownDate { 1800, 1, 1, 6, 0, 0, -36522.25 }, KnownDate { 100, 1, 1, 0, 0, 0, -657434.0 },
        KnownDate { 9999, 12, 31, 0, 0, 0, 2958465.0 }));

struct DateValidity {
    int year, month, day, hour, minute, second;
    bool valid;
};

class OleDateValidity : public ::testing::TestWithParam<DateValidity> { };

TEST_P(OleDateValidity, ImpossibleDatesAreInvalid)
{
    const DateValidity& c = GetParam();
    COleDateTime date;
    const int rc = date.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
    EXPECT_EQ(rc, c.valid ? 0 : 1);
    EXPECT_EQ(date.GetStatus(), c.valid ? COleDateTime::valid : COleDateTime::invalid);
    if (!c.valid) {
        EXPECT_EQ(date.GetYear(), -1);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, OleDateValidity,
    ::testing::Values(DateValidity { 2000, 2, 29, 0, 0, 0, true }, DateValidity { 2004, 2, 29, 0, 0, 0, true },
        DateValidity { 2400, 2, 29, 0, 0, 0, true }, DateValidity { 1900, 2, 29, 0, 0, 0, false },
        DateValidity { 2001, 2, 29, 0, 0, 0, false }, DateValidity { 2100, 2, 29, 0, 0, 0, false },
        DateValidity { 2001, 4, 31, 0, 0, 0, false }, DateValidity { 2001, 13, 1, 0, 0, 0, false },
        DateValidity { 2001, 0, 1, 0, 0, 0, false }, DateValidity { 2001, 1, 0, 0, 0, 0, false },
        DateValidity { 2001, 1, 1, 24, 0, 0, false }, DateValidity { 2001, 1, 1, 0, 60, 0, false },
        DateValidity { 2001, 1, 1, 0, 0, 60, false }, DateValidity { 2001, 1, 1, -1, 0, 0, false },
        DateValidity { 100, 1, 1, 0, 0, 0, true }, DateValidity { 99, 12, 31, 0, 0, 0, false },
        DateValidity { 9999, 12, 31, 23, 59, 59, true }, DateValidity { 10000, 1, 1, 0, 0, 0, false }));

TEST(OleDateTime, PartsRoundTripOverTheWholeRange)
{
    int checked = 0;
    for (int serial = -657434; serial <= 2958465; serial += 997) {
        const int secondsOfDay = static_cast<int>((serial * 7919LL % 86400 + 86400) % 86400);
        const double fraction = secondsOfDay / 86400.0;
        const COleDateTime date(serial < 0 ? serial - fraction : serial + fraction);
        int y, mo, d, h, mi, s;
        ASSERT_TRUE(date.GetParts(y, mo, d, h, mi, s)) << serial;
        ASSERT_EQ(h * 3600 + mi * 60 + s, secondsOfDay) << serial;
        const COleDateTime rebuilt(y, mo, d, h, mi, s);
        ASSERT_TRUE(rebuilt.IsValid()) << serial;
        ASSERT_EQ(std::floor(std::fabs(rebuilt.GetValue())), std::abs(serial)) << serial;
        ASSERT_NEAR(rebuilt.GetValue(), date.GetValue(), 1e-9) << serial;
        ++checked;
    }
    EXPECT_GT(checked, 3000);
}

TEST(OleDateTime, ConversionsRoundToTheNearestSecond)
{
    const double halfSecond = 0.5 / 86400.0;
    EXPECT_EQ(COleDateTime(36526.0 + 1.0 - 1e-9).GetDay(), 2); // 23:59:59.9999 is midnight
    EXPECT_EQ(COleDateTime(36526.0 + 1.0 - 1e-9).GetHour(), 0);
    EXPECT_EQ(COleDateTime(36526.5 - 1e-10).GetHour(), 12);
    EXPECT_EQ(COleDateTime(36526.0 + 0.8 * halfSecond).GetSecond(), 0);
    EXPECT_EQ(COleDateTime(36526.0 + 1.2 * halfSecond).GetSecond(), 1);
    // Before day 0 the time counts forward from the day's start as well.
    const COleDateTime late(-1.0 - (1.0 - 1e-9));
    EXPECT_EQ(late.GetYear(), 1899);
    EXPECT_EQ(late.GetMonth(), 12);
    EXPECT_EQ(late.GetDay(), 30);
    EXPECT_EQ(late.GetHour(), 0);
}

TEST(OleDateTime, NumbersOutsideTheYearRangeHaveNoParts)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : { -657435.0, 2958466.0, 2958465.0 + 1.0 - 1e-9, 1e300, -1e300, nan, inf, -inf }) {
        const COleDateTime date(value);
        int y, mo, d, h, mi, s;
        EXPECT_FALSE(date.GetParts(y, mo, d, h, mi, s)) << value;
        EXPECT_EQ(date.GetYear(), -1) << value;
        EXPECT_EQ(date.GetDayOfWeek(), -1) << value;
        EXPECT_EQ(date.GetDayOfYear(), -1) << value;
    }
}

TEST(OleDateTime, DayOfWeekAndDayOfYear)
{
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7); // Saturday
    EXPECT_EQ(COleDateTime(1899, 12, 29, 23, 0, 0).GetDayOfWeek(), 6);
    EXPECT_EQ(COleDateTime(2000, 1, 1, 0, 0, 0).GetDayOfWeek(), 7);
    EXPECT_EQ(COleDateTime(2024, 7, 14, 0, 0, 0).GetDayOfWeek(), 1); // Sunday
    EXPECT_EQ(COleDateTime(1601, 1, 1, 0, 0, 0).GetDayOfWeek(), 2);
    EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).GetDayOfWeek(), 6);
    EXPECT_EQ(COleDateTime(2000, 3, 1, 0, 0, 0).GetDayOfYear(), 61);
    EXPECT_EQ(COleDateTime(2000, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
    EXPECT_EQ(COleDateTime(2001, 12, 31, 0, 0, 0).GetDayOfYear(), 365);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 0, 0, 0).GetDayOfYear(), 363);
}

TEST(OleDateTime, ArithmeticCrossesDayZeroAndMonthEnds)
{
    COleDateTime midnight(1899, 12, 30, 0, 0, 0);
    const COleDateTime earlier = midnight - COleDateTimeSpan(0, 18, 0, 0);
    EXPECT_DOUBLE_EQ(earlier.GetValue(), -1.25);
    EXPECT_EQ(earlier + COleDateTimeSpan(0, 18, 0, 0), midnight);
    EXPECT_DOUBLE_EQ((midnight - earlier).GetTotalHours(), 18.0);
    EXPECT_DOUBLE_EQ((COleDateTime(-1.75) - COleDateTime(-1.25)).GetTotalHours(), 12.0);

    EXPECT_EQ(COleDateTime(2000, 1, 31, 20, 0, 0) + COleDateTimeSpan(1.0), COleDateTime(2000, 2, 1, 20, 0, 0));
    EXPECT_EQ(COleDateTime(2000, 2, 28, 0, 0, 0) + COleDateTimeSpan(1, 12, 0, 0), COleDateTime(2000, 2, 29, 12, 0, 0));
    EXPECT_DOUBLE_EQ((COleDateTime(2000, 3, 1, 0, 0, 0) - COleDateTime(2000, 2, 28, 0, 0, 0)).GetTotalDays(), 2.0);

    COleDateTime stepped(2010, 6, 1, 0, 0, 0);
    for (int i = 0; i < 10; ++i)
        stepped += COleDateTimeSpan(0, 1, 0, 0);
    EXPECT_EQ(stepped, COleDateTime(2010, 6, 1, 10, 0, 0));
    EXPECT_EQ(stepped.GetHour(), 10);
}

TEST(OleDateTime, ArithmeticKeepsStatusAndLeavingTheRangeIsInvalid)
{
    COleDateTime nullDate = COleDateTime::Null();
    nullDate += COleDateTimeSpan(5.0);
    EXPECT_EQ(nullDate.GetStatus(), COleDateTime::null);
    EXPECT_DOUBLE_EQ((COleDateTime::Null() - COleDateTime(2000, 1, 1, 0, 0, 0)).GetTotalDays(), 0.0);

    const COleDateTime last(9999, 12, 31, 23, 0, 0);
    EXPECT_EQ((last + COleDateTimeSpan(0, 2, 0, 0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(100, 1, 1, 0, 0, 0) - COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTime, ComparisonsUseTheMomentAndTheStatus)
{
    // -1.75 is later on 29 December than -1.25 although the number is smaller.
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(-1.75));
    EXPECT_LT(COleDateTime(-1.75), COleDateTime(0.0));
    EXPECT_LT(COleDateTime(1999, 12, 31, 23, 59, 59), COleDateTime(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(COleDateTime(36526.5), COleDateTime(36526.5 + 1e-9));
    EXPECT_NE(COleDateTime(36526.5), COleDateTime(36526.5 + 1.0 / 86400.0));

    COleDateTime invalidDate;
    invalidDate.SetStatus(COleDateTime::invalid);
    EXPECT_NE(invalidDate, COleDateTime());
    EXPECT_NE(COleDateTime::Null(), COleDateTime());
    EXPECT_LT(COleDateTime::Null(), invalidDate);
    EXPECT_LT(invalidDate, COleDateTime(100, 1, 1, 0, 0, 0));
    EXPECT_EQ(COleDateTime::Null(), COleDateTime::Null());
    EXPECT_EQ(COleDateTime::Null().GetValue(), 0.0);
    EXPECT_TRUE(COleDateTime().IsValid());
}

TEST(OleDateTime, SetTimeLandsOnDayZero)
{
    COleDateTime date(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(date.SetTime(6, 0, 0), 0);
    EXPECT_DOUBLE_EQ(date.GetValue(), 0.25);
    EXPECT_EQ(date.SetTime(6, 61, 0), 1);
    EXPECT_FALSE(date.IsValid());
}

TEST(OleDateTime, CurrentTimeIsLocalTime)
{
    const std::time_t before = std::time(nullptr);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    std::tm local {};
    localtime_r(&before, &local);
    const COleDateTime expected(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec > 59 ? 59 : local.tm_sec);
    ASSERT_TRUE(now.IsValid());
    EXPECT_NEAR((now - expected).GetTotalSeconds(), 0.0, 5.0);
}

} // namespace
