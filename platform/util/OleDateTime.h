#pragma once
// A date and time as days since 30 December 1899 (the fraction is the time of
// day), with a status; proleptic Gregorian calendar, local time.

#include "platform/util/VemoTypes.h"

class COleDateTimeSpan {
public:
    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24.0; }
    double GetTotalMinutes() const { return m_span * 24.0 * 60.0; }
    double GetTotalSeconds() const { return m_span * 24.0 * 3600.0; }

private:
    double m_span = 0.0;
};

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;  // valid, 30 December 1899 00:00:00
    explicit COleDateTime(double days) : m_dt(days) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();
    static COleDateTime Null();  // status null, value 0

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    bool IsValid() const { return m_status == valid; }
    double GetValue() const { return m_dt; }
    void SetValue(double days) { m_dt = days; }

    // Return 0 on success; an impossible date (say 29 February 2001) sets the
    // status invalid and returns 1.
    int SetDate(int year, int month, int day);
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetTime(int hour, int minute, int second);  // date part becomes 30 December 1899

    // The parts of a valid date; -1 (AD_ERROR) when the status is not valid.
    int GetYear() const;
    int GetMonth() const;       // 1..12
    int GetDay() const;         // 1..31
    int GetHour() const;        // 0..23
    int GetMinute() const;      // 0..59
    int GetSecond() const;      // 0..59
    int GetDayOfWeek() const;   // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const;   // 1..366
    // All parts at once; false when the status is not valid.
    bool GetParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const;

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // Comparisons look at the value (as the moment in time) and the status.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);

private:
    double m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
