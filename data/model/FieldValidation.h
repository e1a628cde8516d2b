#pragma once
// The checks of the form fields whose typed text must be a number, a time or
// a date. A check never refuses what was typed: it answers the value to hand
// to the item's SetData under the field's property, the text the field then
// shows (the value in its normal format), and the message of the "Data
// Modified" balloon when the typed text was replaced or reformatted.

#include "platform/util/VemoTypes.h"

class CMediaItem;

struct CFieldCheck {
    CString value; // for SetData under the field's property
    CString text; // what the field shows
    CString message; // empty when the typed text stands as it is
};

class CFieldValidation {
public:
    enum Kind {
        none,
        price, // all media
        discs, // audio track media
        pages, // books
        mediaSize, // recordable media: size in minutes
        tapeSize, // reel-to-reel tapes: size in feet
        contentSize, // track media: the length, a time
        mediaLength, // video media: the running time, a time
        region, // video media
        dateAcquired, // all media
    };

    static inline const CString BALLOON_TITLE = "Data Modified";

    // The check of kind; none hands the typed text through unchanged.
    static CFieldCheck Check(Kind kind, const CString& typed, const CMediaItem& item);

    // A number not below 0, rounded to the currency's fraction digits; 0
    // otherwise. Also tells when the shown text does not contain the typed.
    static CFieldCheck Price(const CString& typed);
    // A whole number 1..100; 1 otherwise.
    static CFieldCheck Discs(const CString& typed);
    // A whole number 0..1000000; 0 otherwise. Empty text is 0.
    static CFieldCheck Pages(const CString& typed);
    // Whole minutes from 0 to the medium's largest size (0 below, the
    // largest above); stored as minutes, which the item keeps in seconds.
    static CFieldCheck MediaSize(const CString& typed, const CMediaItem& item);
    // Whole feet from 0 to the largest reel (0 below, the largest above).
    static CFieldCheck TapeSize(const CString& typed, const CMediaItem& item);
    // A time text; the item's previous length when it is none.
    static CFieldCheck ContentSize(const CString& typed, const CMediaItem& item);
    // A time text as hours and minutes; the previous running time otherwise.
    static CFieldCheck MediaLength(const CString& typed, const CMediaItem& item);
    // A whole number 0..9; 1 otherwise. Reformatting goes without a message.
    static CFieldCheck Region(const CString& typed);
    // A date; empty text clears it; the previous date when it is none.
    static CFieldCheck DateAcquired(const CString& typed, const CMediaItem& item);

    // The seconds a time text stands for, false when it is none (a
    // character other than digits, blanks and separators, or a part that
    // had to be corrected). hoursMinutes reads "1:30" as one and a half
    // hours: ":00" is appended to a text of hours and minutes only.
    static bool ParseTime(const CString& typed, bool hoursMinutes, int& seconds);
};
