#pragma once
// The library's lending settings: the default loan period that proposes due
// dates, and the reservations report's notes and signature line.

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CArchive;

// Stored as a word; any other stored value reads as coHours.
enum CODuration { coHours = 0, coDays = 1, coWeeks = 2, coMonths = 3, coYears = 4 };

class CCheckoutSettings {
public:
    CCheckoutSettings() = default;
    CCheckoutSettings(const CCheckoutSettings&) = default;
    CCheckoutSettings& operator=(const CCheckoutSettings&) = default;
    ~CCheckoutSettings() = default;
    // All five fields equal, notes case-sensitively.
    bool operator==(const CCheckoutSettings&) const = default;

    bool GetIncludeSignature() const { return m_includeSignature; }
    void SetIncludeSignature(bool include) { m_includeSignature = include; }
    bool GetSpecifyDuration() const { return m_specifyDuration; }
    void SetSpecifyDuration(bool specify) { m_specifyDuration = specify; }
    int GetDuration() const { return m_duration; }
    void SetDuration(int duration) { m_duration = duration; }
    CODuration GetDurationType() const { return m_durationType; }
    void SetDurationType(CODuration type) { m_durationType = type; }
    const CString& GetNotes() const { return m_notes; }
    void SetNotes(const CString& notes) { m_notes = notes; }

    // start plus the duration; months keep the weekday occurrence (the second
    // Tuesday stays a second Tuesday) and the time of day; always a valid date
    // in the target month. An unknown unit returns start and logs.
    COleDateTime GetEndDate(const COleDateTime& start) const;

    // "hours", "days", "weeks", "months", "years"; "weeks" for other values.
    static CString ConvertDuration(CODuration type);
    // First keyword found in the lower-cased text ("hour", "hr", "day",
    // "month", "mth", "year", "yr"); weeks otherwise, also for "".
    static CODuration ParseDuration(const CString& text);

    // Record: version word (1), include signature and specify duration
    // (boolean words), duration (32-bit), duration type (word), notes.
    void Serialize(CArchive& ar);

private:
    bool m_includeSignature = false;
    bool m_specifyDuration = false;
    int m_duration = 3;
    CODuration m_durationType = coWeeks;
    CString m_notes;
};
