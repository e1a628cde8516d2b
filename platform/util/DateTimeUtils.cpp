#include "platform/util/DateTimeUtils.h"

#include <cmath>
#include <cstdio>

#include "platform/util/CountText.h"
#include "platform/util/LocaleUtils.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Walks a date text from left to right; every reader returns false and
// leaves the position alone when the text does not hold what it wants.
class CDateTextReader {
public:
    explicit CDateTextReader(const CString& text)
        : m_text(text)
    {
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    std::size_t Position() const { return m_pos; }
    void Rewind(std::size_t pos) { m_pos = pos; }

    bool Accept(char c)
    {
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool SkipBlanks()
    {
        const std::size_t start = m_pos;
        while (!AtEnd() && IsBlank(m_text[m_pos]))
            ++m_pos;
        return m_pos > start;
    }

    // A run of decimal digits whose length lies in [minCount, maxCount].
    bool ReadNumber(int minCount, int maxCount, int& value)
    {
        std::size_t end = m_pos;
        int number = 0;
        while (end < m_text.size() && IsDigit(m_text[end])) {
            if (static_cast<int>(end - m_pos) < maxCount)
                number = number * 10 + (m_text[end] - '0');
            ++end;
        }
        const int count = static_cast<int>(end - m_pos);
        if (count < minCount || count > maxCount)
            return false;
        m_pos = end;
        value = number;
        return true;
    }

    // "AM" or "PM" in any case; 0 for neither, 1 for AM, 2 for PM.
    int ReadMeridiem()
    {
        if (m_pos + 2 > m_text.size() || ToLowerAscii(m_text[m_pos + 1]) != 'm')
            return 0;
        const char first = ToLowerAscii(m_text[m_pos]);
        if (first != 'a' && first != 'p')
            return 0;
        m_pos += 2;
        return first == 'a' ? 1 : 2;
    }

private:
    const CString& m_text;
    std::size_t m_pos = 0;
};

// "H:MM", "H:MM:SS", either followed by an optional AM or PM.
bool ReadTime(CDateTextReader& reader, int& hour, int& minute, int& second)
{
    second = 0;
    if (!reader.ReadNumber(1, 2, hour) || !reader.Accept(':') || !reader.ReadNumber(1, 2, minute))
        return false;
    if (reader.Accept(':') && !reader.ReadNumber(1, 2, second))
        return false;
    reader.SkipBlanks();
    const int meridiem = reader.ReadMeridiem();
    if (meridiem != 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    return true;
}

// One of the date forms: YYYY-MM-DD, YYYY/MM/DD, M/D/YYYY or D.M.YYYY.
bool ReadDate(CDateTextReader& reader, int& year, int& month, int& day)
{
    const std::size_t start = reader.Position();
    int first = 0;
    if (reader.ReadNumber(4, 4, first)) {
        const char separator = reader.Peek();
        if (separator != '-' && separator != '/')
            return false;
        year = first;
        return reader.Accept(separator) && reader.ReadNumber(1, 2, month) && reader.Accept(separator)
            && reader.ReadNumber(1, 2, day);
    }
    reader.Rewind(start);
    if (!reader.ReadNumber(1, 2, first))
        return false;
    const char separator = reader.Peek();
    if (separator != '/' && separator != '.')
        return false;
    int second = 0;
    if (!reader.Accept(separator) || !reader.ReadNumber(1, 2, second) || !reader.Accept(separator)
        || !reader.ReadNumber(4, 4, year))
        return false;
    month = separator == '/' ? first : second;
    day = separator == '/' ? second : first;
    return true;
}

bool LooksLikeTimeOnly(const CString& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i > 0 && i <= 2 && i < text.size() && text[i] == ':';
}

// Two digits, as the parts of a date or a time (0 to 99) are written.
void AppendTwoDigits(CString& text, int value)
{
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

CString FormatTime(int hour, int minute, int second, bool noSeconds, bool twelveHour)
{
    const CString sep = CLocaleUtils::GetTimeSeparator();
    CString text;
    if (twelveHour) {
        const int shownHour = hour % 12 == 0 ? 12 : hour % 12;
        text = std::to_string(shownHour);
    } else {
        AppendTwoDigits(text, hour);
    }
    text += sep;
    AppendTwoDigits(text, minute);
    if (!noSeconds) {
        text += sep;
        AppendTwoDigits(text, second);
    }
    if (twelveHour)
        text += hour < 12 ? " AM" : " PM";
    return text;
}

CString CountText(long long count, const char* unit)
{
    return CCountText::Of(count, unit) + " ago";
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

CString CDateTimeUtils::ConvertDateNumbers(
    const COleDateTime& date, bool timeOnly, bool noSeconds, bool twelveHour, bool withTime)
{
    int year, month, day, hour, minute, second;
    if (!date.GetParts(year, month, day, hour, minute, second))
        return "";
    if (timeOnly)
        return FormatTime(hour, minute, second, noSeconds, twelveHour);
    // Written by hand: many texts are made at a time (reports, dumps), and
    // printf was most of their cost.
    CString text;
    if (year >= 0 && year <= 9999) {
        AppendTwoDigits(text, year / 100);
        AppendTwoDigits(text, year % 100);
        text += '-';
        AppendTwoDigits(text, month);
        text += '-';
        AppendTwoDigits(text, day);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
        text = buffer;
    }
    if (withTime)
        text += " " + FormatTime(hour, minute, second, noSeconds, twelveHour);
    return text;
}

bool CDateTimeUtils::ConvertDateNumbers(const CString& text, COleDateTime& date)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end) {
        date = COleDateTime::Null();
        return false;
    }
    const CString trimmed = text.substr(begin, end - begin);
    CDateTextReader reader(trimmed);

    // A time alone lands on day 0, as the time-only text form is written.
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    bool ok = false;
    if (LooksLikeTimeOnly(trimmed)) {
        ok = ReadTime(reader, hour, minute, second);
    } else if (ReadDate(reader, year, month, day)) {
        ok = true;
        if (!reader.AtEnd()) {
            const bool separated = reader.Accept('T') || reader.SkipBlanks();
            ok = separated && ReadTime(reader, hour, minute, second);
        }
    }
    if (!ok || !reader.AtEnd()) {
        date = COleDateTime();
        date.SetStatus(COleDateTime::invalid);
        return false;
    }
    return date.SetDateTime(year, month, day, hour, minute, second) == 0;
}

int CDateTimeUtils::Compare(const COleDateTime& a, const COleDateTime& b)
{
    const int rankA = StatusRank(a.GetStatus());
    const int rankB = StatusRank(b.GetStatus());
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    if (!a.IsValid())
        return 0;
    if (a < b)
        return -1;
    return b < a ? 1 : 0;
}

CString CDateTimeUtils::GetDeltaText(const COleDateTime& then, const COleDateTime& now, bool otherDay)
{
    if (!then.IsValid() || !now.IsValid())
        return "";
    const long long seconds = std::llround((now - then).GetTotalSeconds());
    if (seconds < 0)
        return "in the future";
    const long long minutes = seconds / 60;
    const long long hours = minutes / 60;
    const long long days = hours / 24;
    if (minutes < 1)
        return "just now";
    if (hours < 1)
        return CountText(minutes, "minute");
    // On another calendar day, recent runs are counted in calendar days:
    // 23:00 to 09:00 is "yesterday", not "10 hours ago".
    if (otherDay && days < 14) {
        const int calendarDays = CalendarDaysBetween(then, now);
        if (calendarDays == 1)
            return "yesterday";
        if (calendarDays > 1)
            return CountText(calendarDays, "day");
    }
    if (days < 1)
        return CountText(hours, "hour");
    if (days < 14)
        return CountText(days, "day");
    if (days < 60)
        return CountText(days / 7, "week");
    if (days < 365)
        return CountText(days / 30, "month");
    return CountText(days / 365, "year");
}

int CDateTimeUtils::CalendarDaysBetween(const COleDateTime& from, const COleDateTime& to)
{
    int y1, m1, d1, h1, mi1, s1;
    int y2, m2, d2, h2, mi2, s2;
    if (!from.GetParts(y1, m1, d1, h1, mi1, s1) || !to.GetParts(y2, m2, d2, h2, mi2, s2))
        return 0;
    // Date-only values are whole day numbers, exact as doubles.
    const COleDateTime dayFrom(y1, m1, d1, 0, 0, 0);
    const COleDateTime dayTo(y2, m2, d2, 0, 0, 0);
    return static_cast<int>(std::llround(dayTo.GetValue() - dayFrom.GetValue()));
}
