#pragma once
// Reads delimited text files for import, one row at a time, holding only the
// row being read. Cells follow RFC 4180 quoting: a cell that starts with a
// quote may hold the delimiter, line breaks and doubled quotes. Text is UTF-8
// (a byte-order mark is skipped) with every byte that is not valid UTF-8
// read as Windows-1252; a UTF-16 file with a byte-order mark is read too.
// Rows end at LF, CRLF or CR and may have different numbers of cells.

#include <array>
#include <cstddef>
#include <fstream>
#include <memory>
#include <string>

#include "platform/util/VemoTypes.h"

class CCustomFieldMgr;

class CDelimitedTextReader {
public:
    // The property of a column that is not imported.
    static inline const CString IGNORE_COLUMN = "<ignore>";
    // A row longer than this is refused (a file that is no delimited text
    // would otherwise be held whole as one row).
    static constexpr std::size_t DEFAULT_MAX_ROW_BYTES = 1024 * 1024;
    static constexpr std::size_t DEFAULT_MAX_CELLS = 10000;

    // "tab", "comma", "period", "dash", "space", "semicolon", in the order offered.
    static const CStringArray& GetDelimiterNames();
    // The character of a delimiter name (ignoring case); false for others.
    static bool DelimiterFromName(const CString& name, char& delimiter);

    explicit CDelimitedTextReader(char delimiter);
    ~CDelimitedTextReader();
    CDelimitedTextReader(const CDelimitedTextReader&) = delete;
    CDelimitedTextReader& operator=(const CDelimitedTextReader&) = delete;

    // Reads from a file, in blocks; false (with the error set) when it cannot
    // be opened.
    bool Open(const CString& path);
    // Reads from bytes in memory.
    void OpenBytes(std::string bytes);
    void SetMaxRowBytes(std::size_t bytes) { m_maxRowBytes = bytes; }
    void SetMaxCells(std::size_t cells) { m_maxCells = cells; }

    // The next row (an empty line gives no cells). False at the end of the
    // input, or on an error, after which GetError says what and where and
    // no further rows are read.
    bool ReadRow(CStringArray& cells);
    // The same into one text: each cell ended by a NUL (which no cell
    // holds), text's room reused; count is the number of cells.
    bool ReadRow(std::string& text, int& count);
    // Goes past the next row, checking it as ReadRow does, and counts its
    // cells without keeping them.
    bool SkipRow(int& count);
    bool HasError() const { return !m_error.empty(); }
    const CString& GetError() const { return m_error; }
    // The row last read, counting from 1, and the line on which it starts.
    int GetRowNumber() const { return m_rowNumber; }
    int GetLineNumber() const { return m_rowLine; }

    // Whether a first row is a header: it has a cell that is not blank, and
    // every such cell names a data property or a custom field of fields
    // (ignoring case; fields may be null).
    static bool IsHeaderRow(const CStringArray& cells, const CCustomFieldMgr* fields);
    // The property a header cell names, spelt as the property or field is;
    // "" when it names none.
    static CString FindProperty(const CString& cell, const CCustomFieldMgr* fields);
    // The column properties proposed for a file whose first row is
    // firstRow and whose longest row has columnCount cells: the names of a
    // header (a name repeated, or a blank heading, gives IGNORE_COLUMN), or
    // IGNORE_COLUMN for every column. Returns whether firstRow is a header.
    static bool ProposeMapping(
        const CStringArray& firstRow, const CCustomFieldMgr* fields, int columnCount, CStringArray& mapping);

private:
    // Makes sure a byte is buffered; false at the end of the input.
    bool More() { return (m_started && m_pos < m_buffer.size()) || Fill(); }
    bool Fill();
    void DetectEncoding();
    void ConvertUtf16(std::string& block);
    bool Fail(const CString& what);
    // Reads one row, handing each cell's bytes (without keep, none) to end.
    template <bool keep, class End> bool ReadCells(End&& end);

    char m_delimiter;
    std::unique_ptr<std::ifstream> m_file;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_eof = false;
    bool m_started = false;
    enum class Encoding { bytes, utf16le, utf16be } m_encoding = Encoding::bytes;
    std::string m_pendingUtf16;
    std::string m_cell; // the cell being read
    // The bytes that end a run of plain bytes outside and inside quotes.
    std::array<bool, 256> m_plainStops {};
    std::array<bool, 256> m_quotedStops {};
    std::size_t m_maxRowBytes = DEFAULT_MAX_ROW_BYTES;
    std::size_t m_maxCells = DEFAULT_MAX_CELLS;
    int m_rowNumber = 0;
    int m_rowLine = 0;
    int m_line = 1;
    CString m_error;
};
