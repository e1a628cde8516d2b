#pragma once
// Rows as comma-separated text with RFC 4180 quoting: a cell holding a
// comma, a quote, a line break or blanks at either end is quoted, its quotes
// doubled. Lines end in LF.

#include "platform/util/VemoTypes.h"

class CCsvWriter {
public:
    static CString Cell(const CString& text);
    static CString Line(const CStringArray& cells);
};
