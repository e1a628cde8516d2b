#include "data/model/FieldValidation.h"

#include <cctype>
#include <cmath>

#include "data/model/MediaUtils.h"
#include "data/model/RecordableMedia.h"
#include "data/model/ReelToReel.h"
#include "data/model/TrackMedia.h"
#include "data/model/VideoMedia.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/LocaleUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

namespace {

const char* const PRICE_MESSAGE = "VemoLibrary modified your price entry field, because the entered text of \"%s\" "
                                  "was not valid. Price must be greater than or equal to zero.";
const char* const DISCS_MESSAGE = "VemoLibrary modified your number-of-discs entry field, because the entered text "
                                  "of \"%s\" was not valid. Valid values range from 1 to 100.";
const char* const PAGES_MESSAGE = "VemoLibrary modified your number-of-pages entry field, because the entered text "
                                  "of \"%s\" was not valid. Valid values range from 1 to 1000000.";
const char* const MEDIA_SIZE_MESSAGE = "VemoLibrary modified your media size entry, because the entered text of "
                                       "\"%s\" was not valid. Valid values are between zero and %s.";
const char* const TAPE_SIZE_MESSAGE = "VemoLibrary modified your tape size entry, because the entered text of "
                                      "\"%s\" was not valid. Valid values are between zero and %s.";
const char* const CONTENT_SIZE_MESSAGE
    = "VemoLibrary modified your content size entry field, because the entered text of \"%s\" was not valid.";
const char* const MEDIA_LENGTH_MESSAGE
    = "VemoLibrary modified your media length entry, because the entered text of \"%s\" was not valid.";
const char* const REGION_MESSAGE = "VemoLibrary modified your region entry field, because the entered text of "
                                   "\"%s\" was not valid. Valid values range from 0 to 9.";
const char* const DATE_MESSAGE
    = "VemoLibrary modified your date acquired entry field, because the entered text of \"%s\" was not valid.";

constexpr long long MAX_PAGES = 1000000;
constexpr long long MAX_DISCS = 100;
constexpr long long MAX_REGION = 9;

CString Decimal(long long value)
{
    return CStringUtils::Format("%lld", value);
}

// A whole number: an optional sign and digits only, after trimming. Values
// beyond any count a field takes saturate instead of overflowing.
bool ParseWhole(const CString& trimmed, long long& value)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed[pos] == '-' || trimmed[pos] == '+'))
        negative = trimmed[pos++] == '-';
    if (pos == trimmed.size())
        return false;
    value = 0;
    for (; pos < trimmed.size(); ++pos) {
        const unsigned char c = static_cast<unsigned char>(trimmed[pos]);
        if (!std::isdigit(c))
            return false;
        if (value < 1000000000000LL)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    return true;
}

// Replacement or reformatting: the message with the typed text (and the
// largest value where the message names it).
CFieldCheck Answer(const CString& value, const CString& text, const char* message, const CString& typed,
    const CString& largest = CString())
{
    CFieldCheck check { value, text, CString() };
    if (message)
        check.message = CStringUtils::Format(message, typed.c_str(), largest.c_str());
    return check;
}

// A whole number lo..hi, shown plainly; the message also when the shown
// text differs from the (non-empty) typed one.
CFieldCheck WholeInRange(const CString& typed, long long lo, long long hi, long long replacement, const char* message,
    bool reformatNeedsMessage)
{
    const CString trimmed = CStringUtils::Trim(typed);
    long long value = 0;
    const bool valid = ParseWhole(trimmed, value) && value >= lo && value <= hi;
    if (!valid)
        return Answer(Decimal(replacement), Decimal(replacement), message, typed);
    const CString text = Decimal(value);
    return Answer(text, text, reformatNeedsMessage && text != trimmed ? message : nullptr, typed);
}

// Whole units from 0 to largest: 0 below (and for text that is no number),
// largest above.
CFieldCheck Capacity(const CString& typed, long long largest, const CString& largestText, const char* message)
{
    const CString trimmed = CStringUtils::Trim(typed);
    if (trimmed.empty())
        return Answer("0", "0", nullptr, typed);
    long long value = 0;
    bool valid = ParseWhole(trimmed, value);
    if (!valid)
        value = 0;
    else if (value < 0 || value > largest) {
        value = value < 0 ? 0 : largest;
        valid = false;
    }
    const CString text = Decimal(value);
    return Answer(text, text, !valid || text != trimmed ? message : nullptr, typed, largestText);
}

CString DateText(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid
        ? CDateTimeUtils::ConvertDateNumbers(date, false, false, false, false)
        : CString();
}

} // namespace

CFieldCheck CFieldValidation::Check(Kind kind, const CString& typed, const CMediaItem& item)
{
    switch (kind) {
    case price:
        return Price(typed);
    case discs:
        return Discs(typed);
    case pages:
        return Pages(typed);
    case mediaSize:
        return MediaSize(typed, item);
    case tapeSize:
        return TapeSize(typed, item);
    case contentSize:
        return ContentSize(typed, item);
    case mediaLength:
        return MediaLength(typed, item);
    case region:
        return Region(typed);
    case dateAcquired:
        return DateAcquired(typed, item);
    case none:
        break;
    }
    return { typed, typed, CString() };
}

CFieldCheck CFieldValidation::Price(const CString& typed)
{
    const int digits = CLocaleUtils::GetCurrencyFractionDigits();
    const CString trimmed = CStringUtils::Trim(typed);
    CString number = trimmed;
    const CString symbol = CLocaleUtils::GetCurrencySymbol();
    if (!symbol.empty() && number.compare(0, symbol.size(), symbol) == 0)
        number = CStringUtils::Trim(number.substr(symbol.size()));

    // Digits with "," groups and at most one decimal point, maybe signed.
    bool valid = !number.empty();
    bool digitSeen = false;
    bool pointSeen = false;
    for (std::size_t i = 0; valid && i < number.size(); ++i) {
        const char c = number[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digitSeen = true;
        else if (c == '.' && !pointSeen)
            pointSeen = true;
        else if (c == ',' && !pointSeen)
            continue;
        else if (c != '-' || i != 0)
            valid = false;
    }
    double value = valid && digitSeen ? CNumberTextConv::GetDoubleFromString(number) : 0.0;
    valid = valid && digitSeen && std::isfinite(value) && value >= 0.0;
    if (!valid)
        value = 0.0;
    const double scale = std::pow(10.0, digits);
    value = std::round(value * scale) / scale;
    const CString text = CNumberTextConv::DoubleToString(value, digits, false, 0, "", false);
    if (trimmed.empty())
        return Answer(text, text, nullptr, typed);
    const bool contained = text.find(trimmed) != CString::npos;
    return Answer(text, text, !valid || !contained ? PRICE_MESSAGE : nullptr, typed);
}

CFieldCheck CFieldValidation::Discs(const CString& typed)
{
    return WholeInRange(typed, 1, MAX_DISCS, 1, DISCS_MESSAGE, true);
}

CFieldCheck CFieldValidation::Pages(const CString& typed)
{
    // A blank field is no page count, as the item shows it.
    if (CStringUtils::Trim(typed).empty())
        return Answer("0", "", nullptr, typed);
    return WholeInRange(typed, 0, MAX_PAGES, 0, PAGES_MESSAGE, true);
}

CFieldCheck CFieldValidation::MediaSize(const CString& typed, const CMediaItem& item)
{
    const auto* medium = dynamic_cast<const CRecordableMedia*>(&item);
    if (!medium)
        return { typed, typed, CString() };
    return Capacity(typed, medium->GetMaxContentSize() / 60, medium->GetMaxContentSizeText(), MEDIA_SIZE_MESSAGE);
}

CFieldCheck CFieldValidation::TapeSize(const CString& typed, const CMediaItem& item)
{
    if (!dynamic_cast<const CReelToReel*>(&item))
        return { typed, typed, CString() };
    const int largest = CReelToReel::GetMaxTapeSize();
    return Capacity(typed, largest, Decimal(largest), TAPE_SIZE_MESSAGE);
}

bool CFieldValidation::ParseTime(const CString& typed, bool hoursMinutes, int& seconds)
{
    seconds = 0;
    CString text = CStringUtils::Trim(typed);
    const CString separator = CLocaleUtils::GetTimeSeparator();
    CString normalised = text;
    for (const char* other : { ".", "," })
        CStringUtils::Replace(normalised, other, ":");
    if (!separator.empty() && separator != ":")
        CStringUtils::Replace(normalised, separator, ":");
    int separators = 0;
    for (char c : normalised) {
        if (c == ':')
            ++separators;
        else if (!std::isdigit(static_cast<unsigned char>(c)) && c != ' ')
            return false;
    }
    // Parts left of hours would be dropped without a word.
    if (separators > 2)
        return false;
    if (normalised.empty())
        return true;
    if (hoursMinutes && separators < 2)
        normalised += ":00";
    bool adjusted = false;
    seconds = U::ConvertFromTime(normalised, &adjusted);
    return !adjusted;
}

CFieldCheck CFieldValidation::ContentSize(const CString& typed, const CMediaItem& item)
{
    const auto* medium = dynamic_cast<const CTrackMedia*>(&item);
    if (!medium)
        return { typed, typed, CString() };
    const bool minutesSeconds = medium->GetMinutesAndSeconds();
    int seconds = 0;
    const bool valid = ParseTime(typed, !minutesSeconds, seconds);
    if (!valid)
        seconds = medium->GetMediaSize();
    const CString text = minutesSeconds ? U::ConvertToMMSS(seconds) : U::ConvertToHHMM(seconds);
    return Answer(U::ConvertToHHMMSS(seconds), text, valid ? nullptr : CONTENT_SIZE_MESSAGE, typed);
}

CFieldCheck CFieldValidation::MediaLength(const CString& typed, const CMediaItem& item)
{
    const auto* medium = dynamic_cast<const CVideoMedia*>(&item);
    if (!medium)
        return { typed, typed, CString() };
    int seconds = 0;
    const bool valid = ParseTime(typed, true, seconds);
    if (!valid)
        seconds = medium->GetMediaLength();
    return Answer(
        U::ConvertToHHMMSS(seconds), U::ConvertToHHMM(seconds), valid ? nullptr : MEDIA_LENGTH_MESSAGE, typed);
}

CFieldCheck CFieldValidation::Region(const CString& typed)
{
    return WholeInRange(typed, 0, MAX_REGION, 1, REGION_MESSAGE, false);
}

CFieldCheck CFieldValidation::DateAcquired(const CString& typed, const CMediaItem& item)
{
    COleDateTime date;
    const bool valid = CDateTimeUtils::ConvertDateNumbers(typed, date) || date.GetStatus() == COleDateTime::null;
    const CString text = DateText(valid ? date : item.GetDateAcquired());
    return Answer(text, text, valid ? nullptr : DATE_MESSAGE, typed);
}
