#include "data/store/CheckoutSettings.h"

#include <cstdint>

#include "data/model/MediaUtils.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace {

// Outside this range COleDateTime holds no date.
constexpr std::int64_t kFirstYear = 100;
constexpr std::int64_t kLastYear = 9999;

COleDateTime InvalidDate()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    return date;
}

// The same weekday occurrence months later; where the target month has fewer
// such weekdays, its last one.
COleDateTime AddMonthsKeepingWeekday(const COleDateTime& start, int months)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!start.GetParts(year, month, day, hour, minute, second))
        return start;
    const int weekday = start.GetDayOfWeek();
    const int occurrence = (day - 1) / 7 + 1;

    const std::int64_t monthIndex = static_cast<std::int64_t>(month - 1) + months;
    std::int64_t yearsOn = monthIndex / 12;
    std::int64_t targetMonth0 = monthIndex % 12;
    if (targetMonth0 < 0) {
        targetMonth0 += 12;
        --yearsOn;
    }
    const std::int64_t targetYear = year + yearsOn;
    if (targetYear < kFirstYear || targetYear > kLastYear)
        return InvalidDate();
    const int targetMonth = static_cast<int>(targetMonth0) + 1;

    COleDateTime first;
    if (first.SetDate(static_cast<int>(targetYear), targetMonth, 1) != 0)
        return InvalidDate();
    const int offset = (weekday - first.GetDayOfWeek() + 7) % 7;
    int targetDay = 1 + offset + 7 * (occurrence - 1);
    if (targetDay > COleDateTime::DaysInMonth(static_cast<int>(targetYear), targetMonth))
        targetDay -= 7;

    COleDateTime result;
    result.SetDateTime(static_cast<int>(targetYear), targetMonth, targetDay, hour, minute, second);
    return result;
}

COleDateTime AddYears(const COleDateTime& start, int years)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!start.GetParts(year, month, day, hour, minute, second))
        return start;
    const std::int64_t targetYear = static_cast<std::int64_t>(year) + years;
    if (targetYear < kFirstYear || targetYear > kLastYear)
        return InvalidDate();
    // 29 February in a year without it stays invalid: there is no such day to propose.
    COleDateTime result;
    result.SetDateTime(static_cast<int>(targetYear), month, day, hour, minute, second);
    return result;
}

CODuration ToDuration(WORD value)
{
    return value <= coYears ? static_cast<CODuration>(value) : coHours;
}

} // namespace

COleDateTime CCheckoutSettings::GetEndDate(const COleDateTime& start) const
{
    // A null or invalid start has no due date to propose.
    if (!start.IsValid() && m_durationType >= coHours && m_durationType <= coYears)
        return start;
    switch (m_durationType) {
    case coHours:
        return start + COleDateTimeSpan(m_duration / 24.0);
    case coDays:
        return start + COleDateTimeSpan(static_cast<double>(m_duration));
    case coWeeks:
        return start + COleDateTimeSpan(7.0 * m_duration);
    case coMonths:
        return AddMonthsKeepingWeekday(start, m_duration);
    case coYears:
        return AddYears(start, m_duration);
    }
    VemoLog("{DD3C9921-13AA-455D-AD46-39B4D65593CB}");
    return start;
}

CString CCheckoutSettings::ConvertDuration(CODuration type)
{
    switch (type) {
    case coHours:
        return "hours";
    case coDays:
        return "days";
    case coMonths:
        return "months";
    case coYears:
        return "years";
    case coWeeks:
    default:
        return "weeks";
    }
}

CODuration CCheckoutSettings::ParseDuration(const CString& text)
{
    if (text.empty())
        return coWeeks;
    const CString lower = CStringUtils::ToLower(text);
    static const struct {
        const char* keyword;
        CODuration type;
    } kKeywords[] = { { "hour", coHours }, { "hr", coHours }, { "day", coDays }, { "month", coMonths },
        { "mth", coMonths }, { "year", coYears }, { "yr", coYears } };
    for (const auto& entry : kKeywords)
        if (lower.find(entry.keyword) != CString::npos)
            return entry.type;
    return coWeeks;
}

void CCheckoutSettings::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        CMediaUtils::Serialize(ar, m_includeSignature);
        CMediaUtils::Serialize(ar, m_specifyDuration);
        ar.WriteInt(m_duration);
        ar.WriteWord(static_cast<WORD>(ToDuration(static_cast<WORD>(m_durationType))));
        ar.WriteString(m_notes);
        return;
    }
    CCheckoutSettings read;
    ar.ReadWord();
    CMediaUtils::Serialize(ar, read.m_includeSignature);
    CMediaUtils::Serialize(ar, read.m_specifyDuration);
    read.m_duration = ar.ReadInt();
    read.m_durationType = ToDuration(ar.ReadWord());
    read.m_notes = ar.ReadString();
    *this = std::move(read);
}
