#pragma once
// The rules of a grid that edits a medium's sub-items (chapters, articles,
// tracks, recordings): which columns the medium's sub-item class has, the
// text of each cell, how typed text is checked and taken over, and how
// adding, inserting, moving, deleting and renumbering keep track, chapter
// and disc numbers in step with the rows. Widgets only show the answers.

#include <vector>

#include "platform/util/VemoTypes.h"

class CMediaItem;
class CMediaSubItem;

class CSubItemGrid {
public:
    // Each sub-item field a column can edit.
    enum class Field {
        Chapter,
        Page,
        Disc,
        Track,
        Side,
        Counter,
        Title,
        SubTitle,
        Author,
        SeriesNumber,
        Category,
        Length,
        Source,
        RecDate,
        Description
    };
    // How a cell is edited: free text, a whole number, a time text, one of
    // the choices, or a date text.
    enum class Kind { Text, Number, Time, Choice, Date };
    // What the medium's sub-items are, which names the page.
    enum class SubItems { None, Chapters, Articles, Tracks, Recordings };

    struct Column {
        Field field;
        CString header;
        Kind kind;
        // Numbers only.
        int minValue = 0;
        int maxValue = 0;
    };

    // What a typed text did: whether the sub-item changed, and the message
    // to show when the text had to be corrected or was refused ("" when it
    // was taken as typed).
    struct Edit {
        bool changed = false;
        CString message;
    };

    static SubItems GetSubItems(const CMediaItem& item);
    // The columns of the medium's sub-item class, in grid order; none for
    // media without sub-items.
    static std::vector<Column> GetColumns(const CMediaItem& item);
    // The text a cell shows (and its editor starts with).
    static CString GetText(const CMediaSubItem& sub, Field field);
    // Takes typed text into the sub-item. Numbers out of range are clamped,
    // times are read with CMediaUtils::ConvertFromTime; text that is no
    // number, time, date or choice keeps the previous value. Both give the
    // "Data Modified" message.
    static Edit SetText(CMediaSubItem& sub, const Column& column, const CString& text);
    // The choices of a Choice column for this medium.
    static CStringList GetChoices(const CMediaItem& item, Field field);

    // A new sub-item before position index (appended at or past the end),
    // following the row before it: the next track, chapter or page number,
    // the same disc and side, the counter where the previous recording ends,
    // the same source. Later rows of the same disc move up one number when
    // the new one takes theirs. Null for media without sub-items.
    static CMediaSubItem* Insert(CMediaItem& item, int index);
    // Before a sub-item is deleted: the later rows of its disc move down one
    // number to close the gap (unless another row shares its number).
    static void CloseGap(CMediaItem& item, const CMediaSubItem& sub);
    // Moves a row; the numbers of the rows passed over stay in list order
    // when they were in order before (the moved row takes its new place's
    // number). False when either position is out of range.
    static bool Move(CMediaItem& item, int from, int to);
    // Whether the sub-items carry numbers that Renumber can set.
    static bool CanRenumber(const CMediaItem& item);
    // Numbers the rows 1, 2, 3... in list order: tracks per disc, chapters
    // from 0 when the first is a prologue (chapter 0).
    static void Renumber(CMediaItem& item);

    // "Total length: 45:12" for media with tracks; "" otherwise.
    static CString GetLengthSummary(const CMediaItem& item);
    // For recordable media with a media size: "Recording time left: 15 min.
    // remain" (or "full"), with the full sides of a tape; "" otherwise.
    static CString GetRemainingSummary(const CMediaItem& item);
};
