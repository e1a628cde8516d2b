#pragma once
// How an import reads the cell of a column for the property the column
// carries: the text the item is given, or why the cell cannot be read. A
// cell that cannot be read is left out of the row's values and reported for
// its row and column, so that nothing is lost without a word.

#include <string_view>

#include "platform/util/VemoTypes.h"

class CImportValueReader {
public:
    struct CValue {
        CString text; // what the item is given
        CString problem; // why the cell cannot be read; "" when it can
    };

    // The value for prop (a data property or a custom field name) of a cell
    // that is not blank. Every cell loses a spreadsheet's ="..." guard;
    // yes/no properties take Yes/No, True/False, 1/0, Y/N (the cover also
    // Hardcover/Paperback) and become "Y" or "N"; numbers need a digit, with
    // "12,50" read as 12.50 where a fraction may be and "1,250" as 1250;
    // dates must be dates.
    static CValue Read(const CString& prop, const CString& cell);

    // How the cells of a property are read, worked out once per column.
    enum class Kind { text, yesNo, cover, date, number, money };
    static Kind KindOf(const CString& prop);
    static CValue Read(Kind kind, const CString& cell);
    // The same into text (whose room is reused): false, with problem set,
    // when the cell cannot be read.
    static bool Read(Kind kind, std::string_view cell, CString& text, CString& problem);

    // ="0441013597" gives 0441013597; any other text is returned as it is.
    static CString Unguard(const CString& cell);
    // The yes/no word of text (ignoring case and blanks); false when it is
    // none. cover admits the bindings of a book.
    static bool ReadYesNo(const CString& text, bool cover, bool& value);
    // The number of text in stored form ("." decimal point, no grouping):
    // currency signs and blanks around it are dropped; a single "," with one
    // or two digits after it and no "." is the decimal point, other ","
    // group digits. False when text holds no digit.
    static bool ReadDecimal(const CString& text, CString& number);
};
