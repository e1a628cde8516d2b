#include "cli/CsvWriter.h"

CString CCsvWriter::Cell(const CString& text)
{
    const bool quote = text.find_first_of(",\"\r\n") != CString::npos
        || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    CString out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

CString CCsvWriter::Line(const CStringArray& cells)
{
    CString line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        line += Cell(cells[i]);
    }
    return line + '\n';
}
