#pragma once
// Dates as text: ISO 8601 ("YYYY-MM-DD", plus " HH:MM:SS" where a time is
// shown); reading also accepts "YYYY/MM/DD", "M/D/YYYY" and "D.M.YYYY", each
// with an optional time.

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CDateTimeUtils {
public:
    // Date to text. Not valid dates give "". The flags choose the form:
    // timeOnly gives "HH:MM:SS" alone; noSeconds drops ":SS"; twelveHour
    // writes the time as "h:MM:SS AM/PM"; withTime adds the time after the
    // date. All false gives "YYYY-MM-DD".
    static CString ConvertDateNumbers(const COleDateTime& date, bool timeOnly, bool noSeconds, bool twelveHour,
                                      bool withTime);
    // Text to date. Empty or blank text gives a null date; text that is no
    // date gives an invalid one; returns whether the date is valid.
    static bool ConvertDateNumbers(const CString& text, COleDateTime& date);

    // -1, 0 or 1. Dates that are not valid sort before valid ones and equal
    // each other when their status is the same (null before invalid).
    static int Compare(const COleDateTime& a, const COleDateTime& b);

    // How long ago then was, seen from now: "just now", "5 minutes ago",
    // "1 hour ago", "yesterday" (otherDay with less than two days), "3 days
    // ago", "2 weeks ago", "4 months ago", "2 years ago"; "in the future"
    // for a later date; "" when either date is not valid.
    static CString GetDeltaText(const COleDateTime& then, const COleDateTime& now, bool otherDay);

    // Days between two dates' calendar days (to - from).
    static int CalendarDaysBetween(const COleDateTime& from, const COleDateTime& to);
};
