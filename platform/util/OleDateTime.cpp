#include "platform/util/OleDateTime.h"

#include <cmath>
#include <cstdint>
#include <ctime>

// Values below 0 follow the OLE automation rule: the integer part is the day
// and the absolute fraction is the time of that day, so -1.25 is 29 December
// 1899 06:00. Arithmetic and comparisons work on the "linear" form in which
// the same moment is -0.75 (a quarter day before midnight of day 0).

namespace {

constexpr int AD_ERROR = -1;
constexpr int MIN_YEAR = 100;
constexpr int MAX_YEAR = 9999;
constexpr std::int64_t SECONDS_PER_DAY = 86400;
// Days from 30 December 1899 to 1 January 1970.
constexpr std::int64_t UNIX_EPOCH_SERIAL = 25569;
// First and last day of the accepted year range as day serials.
constexpr std::int64_t MIN_SERIAL = -657434; // 1 January 100
constexpr std::int64_t MAX_SERIAL = 2958465; // 31 December 9999

// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

std::int64_t SerialFromDate(int year, int month, int day)
{
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + UNIX_EPOCH_SERIAL;
}

double EncodeValue(std::int64_t serial, int secondsOfDay)
{
    const double fraction = static_cast<double>(secondsOfDay) / static_cast<double>(SECONDS_PER_DAY);
    return serial >= 0 ? static_cast<double>(serial) + fraction : static_cast<double>(serial) - fraction;
}

// Splits a value into its day serial and second of the day, rounded to the
// nearest second; false when it lies outside the accepted years.
bool DecodeValue(double value, std::int64_t& serial, int& secondsOfDay)
{
    if (!std::isfinite(value))
        return false;
    const double dayPart = std::trunc(value);
    if (dayPart < static_cast<double>(MIN_SERIAL - 1) || dayPart > static_cast<double>(MAX_SERIAL + 1))
        return false;
    serial = static_cast<std::int64_t>(dayPart);
    std::int64_t seconds = std::llround(std::fabs(value - dayPart) * static_cast<double>(SECONDS_PER_DAY));
    if (seconds >= SECONDS_PER_DAY) {
        seconds -= SECONDS_PER_DAY;
        ++serial;
    }
    secondsOfDay = static_cast<int>(seconds);
    return serial >= MIN_SERIAL && serial <= MAX_SERIAL;
}

double ToLinear(double value)
{
    if (value >= 0.0 || !std::isfinite(value))
        return value;
    const double dayPart = std::trunc(value);
    return dayPart + (dayPart - value);
}

double FromLinear(double linear)
{
    if (linear >= 0.0 || !std::isfinite(linear))
        return linear;
    const double dayPart = std::floor(linear);
    return dayPart - (linear - dayPart);
}

bool InYearRange(double value)
{
    std::int64_t serial = 0;
    int seconds = 0;
    return DecodeValue(value, serial, seconds);
}

// Orders two moments at whole-second resolution, so that sums of spans that
// land a hair beside a second compare equal to the second itself. NaN sorts
// first and equals NaN.
int CompareMoments(double a, double b)
{
    const double la = ToLinear(a);
    const double lb = ToLinear(b);
    if (std::isnan(la) || std::isnan(lb))
        return std::isnan(la) ? (std::isnan(lb) ? 0 : -1) : 1;
    constexpr double SECOND_RANGE = 1e13; // days; beyond it seconds would not fit 64 bits
    if (std::fabs(la) < SECOND_RANGE && std::fabs(lb) < SECOND_RANGE) {
        const long long sa = std::llround(la * static_cast<double>(SECONDS_PER_DAY));
        const long long sb = std::llround(lb * static_cast<double>(SECONDS_PER_DAY));
        return sa < sb ? -1 : (sa > sb ? 1 : 0);
    }
    return la < lb ? -1 : (la > lb ? 1 : 0);
}

int StatusRank(COleDateTime::DateTimeStatus status)
{
    switch (status) {
    case COleDateTime::null:
        return 0;
    case COleDateTime::invalid:
        return 1;
    default:
        return 2;
    }
}

} // namespace

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    // Summing whole seconds first keeps "1 day 6 hours" exactly 1.25.
    const double totalSeconds = static_cast<double>(days) * static_cast<double>(SECONDS_PER_DAY)
        + static_cast<double>(hours) * 3600.0 + static_cast<double>(minutes) * 60.0 + static_cast<double>(seconds);
    m_span = totalSeconds / static_cast<double>(SECONDS_PER_DAY);
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&now, &local)) {
        COleDateTime failed;
        failed.SetStatus(invalid);
        return failed;
    }
    // A leap second (tm_sec 60) is shown as the last second of its minute.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, second);
}

COleDateTime COleDateTime::Null()
{
    COleDateTime date;
    date.m_status = null;
    return date;
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const bool ok = year >= MIN_YEAR && year <= MAX_YEAR && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0
        && second <= 59;
    if (!ok) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = EncodeValue(SerialFromDate(year, month, day), hour * 3600 + minute * 60 + second);
    m_status = valid;
    return 0;
}

int COleDateTime::SetTime(int hour, int minute, int second)
{
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

bool COleDateTime::GetParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const
{
    std::int64_t serial = 0;
    int seconds = 0;
    if (m_status != valid || !DecodeValue(m_dt, serial, seconds)) {
        year = month = day = hour = minute = second = AD_ERROR;
        return false;
    }
    CivilFromDays(serial - UNIX_EPOCH_SERIAL, year, month, day);
    hour = seconds / 3600;
    minute = seconds / 60 % 60;
    second = seconds % 60;
    return true;
}

int COleDateTime::GetYear() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return y;
}

int COleDateTime::GetMonth() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return mo;
}

int COleDateTime::GetDay() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return d;
}

int COleDateTime::GetHour() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return h;
}

int COleDateTime::GetMinute() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return mi;
}

int COleDateTime::GetSecond() const
{
    int y, mo, d, h, mi, s;
    GetParts(y, mo, d, h, mi, s);
    return s;
}

int COleDateTime::GetDayOfWeek() const
{
    std::int64_t serial = 0;
    int seconds = 0;
    if (m_status != valid || !DecodeValue(m_dt, serial, seconds))
        return AD_ERROR;
    // Day 0 (30 December 1899) was a Saturday.
    return static_cast<int>(((serial + 6) % 7 + 7) % 7) + 1;
}

int COleDateTime::GetDayOfYear() const
{
    std::int64_t serial = 0;
    int seconds = 0;
    if (m_status != valid || !DecodeValue(m_dt, serial, seconds))
        return AD_ERROR;
    int year, month, day;
    CivilFromDays(serial - UNIX_EPOCH_SERIAL, year, month, day);
    return static_cast<int>(serial - SerialFromDate(year, 1, 1)) + 1;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result(*this);
    result += span;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    COleDateTime result(*this);
    result -= span;
    return result;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    // A null or invalid date stays as it is; a sum that leaves the accepted
    // years becomes invalid.
    if (m_status != valid)
        return *this;
    m_dt = FromLinear(ToLinear(m_dt) + span.GetTotalDays());
    if (!InYearRange(m_dt))
        m_status = invalid;
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    return *this += COleDateTimeSpan(-span.GetTotalDays());
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    // A span carries no status, so a difference involving a date that is not
    // valid is empty rather than a meaningless number.
    if (m_status != valid || other.m_status != valid)
        return COleDateTimeSpan(0.0);
    return COleDateTimeSpan(ToLinear(m_dt) - ToLinear(other.m_dt));
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && CompareMoments(m_dt, other.m_dt) == 0;
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    // Dates of different status order null, invalid, valid, so that the
    // relation stays a strict weak order on any mix.
    const int rankA = StatusRank(m_status);
    const int rankB = StatusRank(other.m_status);
    if (rankA != rankB)
        return rankA < rankB;
    return CompareMoments(m_dt, other.m_dt) < 0;
}

bool COleDateTime::IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int COleDateTime::DaysInMonth(int year, int month)
{
    static const int DAYS[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : DAYS[month - 1];
}
