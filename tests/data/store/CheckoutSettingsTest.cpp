#include <gtest/gtest.h>

#include "data/store/CheckoutSettings.h"
#include "platform/util/AppLogger.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

CCheckoutSettings Settings(CODuration type, int duration)
{
    CCheckoutSettings settings;
    settings.SetDurationType(type);
    settings.SetDuration(duration);
    return settings;
}

struct DueCase {
    CODuration type;
    int duration;
    int start[6];
    int due[6];
};

class DueDateTest : public testing::TestWithParam<DueCase> { };

TEST_P(DueDateTest, EndDate)
{
    const DueCase& c = GetParam();
    const COleDateTime start(c.start[0], c.start[1], c.start[2], c.start[3], c.start[4], c.start[5]);
    const COleDateTime due = Settings(c.type, c.duration).GetEndDate(start);
    ASSERT_TRUE(due.IsValid());
    int y, mo, d, h, mi, s;
    due.GetParts(y, mo, d, h, mi, s);
    EXPECT_EQ((std::vector { y, mo, d, h, mi, s }), (std::vector<int>(c.due, c.due + 6)));
}

INSTANTIATE_TEST_SUITE_P(Table, DueDateTest,
    testing::Values(DueCase { coHours, 5, { 2023, 3, 24, 22, 0, 0 }, { 2023, 3, 25, 3, 0, 0 } },
        DueCase { coDays, 10, { 2023, 2, 25, 9, 15, 0 }, { 2023, 3, 7, 9, 15, 0 } },
        DueCase { coWeeks, 3, { 2023, 12, 20, 8, 0, 0 }, { 2024, 1, 10, 8, 0, 0 } },
        // The fourth Friday, time of day kept.
        DueCase { coMonths, 1, { 2023, 3, 24, 14, 30, 15 }, { 2023, 4, 28, 14, 30, 15 } },
        DueCase { coMonths, 1, { 2023, 8, 8, 9, 0, 0 }, { 2023, 9, 12, 9, 0, 0 } },
        DueCase { coMonths, 1, { 2023, 12, 12, 9, 0, 0 }, { 2024, 1, 9, 9, 0, 0 } },
        // A fifth Friday becomes the last Friday of a month that has only four.
        DueCase { coMonths, 1, { 2023, 3, 31, 9, 0, 0 }, { 2023, 4, 28, 9, 0, 0 } },
        DueCase { coMonths, 12, { 2023, 12, 12, 9, 0, 0 }, { 2024, 12, 10, 9, 0, 0 } },
        DueCase { coMonths, 13, { 2023, 3, 24, 9, 0, 0 }, { 2024, 4, 26, 9, 0, 0 } },
        DueCase { coMonths, 25, { 2023, 3, 24, 9, 0, 0 }, { 2025, 4, 25, 9, 0, 0 } },
        DueCase { coMonths, 1, { 2024, 2, 29, 9, 0, 0 }, { 2024, 3, 28, 9, 0, 0 } },
        DueCase { coYears, 1, { 2023, 5, 6, 7, 8, 9 }, { 2024, 5, 6, 7, 8, 9 } },
        DueCase { coYears, 4, { 2024, 2, 29, 7, 8, 9 }, { 2028, 2, 29, 7, 8, 9 } }));

TEST(CheckoutSettingsTest, MonthsKeepTheWeekdayForAnyStart)
{
    for (int months : { 1, 2, 11, 13, 25, 100 }) {
        const CCheckoutSettings settings = Settings(coMonths, months);
        for (COleDateTime start(2023, 1, 1, 12, 0, 0); start.GetYear() < 2025; start += COleDateTimeSpan(1.0)) {
            const COleDateTime due = settings.GetEndDate(start);
            ASSERT_TRUE(due.IsValid());
            const int monthIndex = start.GetYear() * 12 + start.GetMonth() - 1 + months;
            ASSERT_EQ(due.GetYear(), monthIndex / 12);
            ASSERT_EQ(due.GetMonth(), monthIndex % 12 + 1);
            ASSERT_EQ(due.GetDayOfWeek(), start.GetDayOfWeek());
            const int occurrence = (start.GetDay() - 1) / 7 + 1;
            const int dueOccurrence = (due.GetDay() - 1) / 7 + 1;
            // The same occurrence, or the last one when the month has fewer.
            ASSERT_TRUE(dueOccurrence == occurrence
                || (dueOccurrence == occurrence - 1
                    && due.GetDay() + 7 > COleDateTime::DaysInMonth(due.GetYear(), due.GetMonth())));
            ASSERT_EQ(due.GetHour(), 12);
        }
    }
}

TEST(CheckoutSettingsTest, ImpossibleDatesAreInvalid)
{
    const COleDateTime leapDay(2024, 2, 29, 10, 0, 0);
    EXPECT_EQ(Settings(coYears, 1).GetEndDate(leapDay).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Settings(coMonths, 200000).GetEndDate(leapDay).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Settings(coYears, 2147483647).GetEndDate(leapDay).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Settings(coWeeks, 1).GetEndDate(COleDateTime::Null()).GetStatus(), COleDateTime::null);
}

TEST(CheckoutSettingsTest, UnknownUnitReturnsTheStartAndLogs)
{
    const COleDateTime start(2023, 3, 24, 10, 0, 0);
    const COleDateTime due = Settings(static_cast<CODuration>(5), 2).GetEndDate(start);
    EXPECT_EQ(due, start);
    const CStringList lines = CAppLogger::GetInstance()->GetLines();
    ASSERT_FALSE(lines.IsEmpty());
    EXPECT_NE(lines.GetTail().find("{DD3C9921-13AA-455D-AD46-39B4D65593CB}"), CString::npos);
}

struct ParseCase {
    const char* text;
    CODuration type;
};

class ParseDurationTest : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseDurationTest, FirstKeywordDecides)
{
    EXPECT_EQ(CCheckoutSettings::ParseDuration(GetParam().text), GetParam().type) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ParseDurationTest,
    testing::Values(ParseCase { "", coWeeks }, ParseCase { "Months", coMonths }, ParseCase { "3 hrs", coHours },
        ParseCase { "2 HOURS", coHours }, ParseCase { "10 days", coDays }, ParseCase { "6 mths", coMonths },
        ParseCase { "a year", coYears }, ParseCase { "5yr", coYears }, ParseCase { "fortnight", coWeeks },
        ParseCase { "weeks", coWeeks }, ParseCase { "hours per day", coHours }));

TEST(CheckoutSettingsTest, ConvertDuration)
{
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(coHours), "hours");
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(coDays), "days");
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(coWeeks), "weeks");
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(coMonths), "months");
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(coYears), "years");
    EXPECT_EQ(CCheckoutSettings::ConvertDuration(static_cast<CODuration>(7)), "weeks");
    for (CODuration type : { coHours, coDays, coWeeks, coMonths, coYears })
        EXPECT_EQ(CCheckoutSettings::ParseDuration(CCheckoutSettings::ConvertDuration(type)), type);
}

TEST(CheckoutSettingsTest, RecordRoundTrip)
{
    CCheckoutSettings settings = Settings(coMonths, 2);
    settings.SetIncludeSignature(true);
    settings.SetNotes("Bring it back");
    const std::string bytes = StoreBytes(settings);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\x01\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00", 12));
    EXPECT_EQ(bytes.size(), 12u + 1 + 13);

    CCheckoutSettings read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_TRUE(read == settings);

    std::string odd = bytes;
    odd[10] = 8;
    LoadBytes(read, odd);
    EXPECT_EQ(read.GetDurationType(), coHours);

    CCheckoutSettings target;
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_TRUE(target == CCheckoutSettings());
}

} // namespace
