#pragma once
// One import of a delimited text file into a library, as the import window
// and the command-line tool run it: the rows are read whole first (the tool
// keeps only the first row and reads the others again as it imports them),
// every column is given the property it carries (or "<ignore>"), and the
// chosen rows go to CLibrary::Import in file order. Either every chosen row is
// imported or, when something fails part-way, the library (and the shared
// lists) are put back as they were.

#include <string>
#include <string_view>
#include <vector>

#include "data/store/ImportValueReader.h"
#include "platform/util/VemoTypes.h"

class CCustomFieldMgr;
class CDelimitedTextReader;
class CLibrary;
class CMediaItem;
class CPropMapKeys;

// The cells of a row in one string, each ended by a NUL (which no cell
// holds: the reader refuses NUL bytes), so that a file of many rows takes
// little more memory than its text.
class CImportCells {
public:
    CImportCells() = default;
    explicit CImportCells(const CStringArray& cells);
    // The next row of reader, in the room these cells had; false at the end
    // or on an error (as CDelimitedTextReader::ReadRow).
    bool Read(CDelimitedTextReader& reader);
    int GetSize() const { return m_count; }
    std::size_t size() const { return static_cast<std::size_t>(m_count); }
    // "" outside the cells.
    CString GetAt(int index) const;
    CStringArray ToArray() const;
    // Calls f(index, cell) for every cell in order; the view lasts as long
    // as the row.
    template <class F> void ForEach(F&& f) const
    {
        std::size_t start = 0;
        for (int i = 0; i < m_count; ++i) {
            const std::size_t end = m_text.find('\0', start);
            f(i, std::string_view(m_text).substr(start, end - start));
            start = end + 1;
        }
    }

private:
    std::string m_text;
    int m_count = 0;
};

// One row of the file.
struct CImportRow {
    int rowNumber = 0; // counting from 1, the header row included
    int lineNumber = 0; // where the row starts in the file
    CImportCells cells;
    bool chosen = true; // the "Import?" mark
    bool exists = false; // an equal item is in the library (MarkExisting)
};

// What an import did, or for a dry run would do.
struct CImportOutcome {
    struct CSkip {
        int rowNumber;
        CString reason;
    };
    // A cell that could not be read: it was left out of its row's values.
    struct CUnread {
        int rowNumber;
        int column; // counting from 1
        CString property;
        CString problem;
    };
    int created = 0; // rows that became new items
    int merged = 0; // rows that filled in an item the library held before
    int repeated = 0; // rows equal to an earlier row, merged into its new item
    std::vector<CSkip> skipped;
    std::vector<CUnread> unread; // in row and column order
    // Set when nothing was imported; the library is as it was.
    CString error;

    bool Succeeded() const { return error.empty(); }
};

class CImportJob {
public:
    // The window's question when every column is ignored, and its note on
    // rows that exist already.
    static inline const CString ALL_IGNORED_QUESTION
        = "All of the data columns are flagged as \"<ignore>\", so there is nothing to import. Is that what you "
          "intended to do? If so, please press the Cancel button instead.";
    static inline const CString ALL_IGNORED_ERROR
        = "All of the data columns are flagged as \"<ignore>\", so there is nothing to import.";
    static inline const CString EXISTING_ROW_NOTE
        = "A row with this background color indicates one that already exists in the Library. If imported, only "
          "missing data of the original media item will be updated.";

    // mediaType is a media type 1..24; the library must outlive the job.
    CImportJob(CLibrary& library, int mediaType);
    virtual ~CImportJob();
    CImportJob(const CImportJob&) = delete;
    CImportJob& operator=(const CImportJob&) = delete;

    int GetMediaType() const { return m_mediaType; }
    // False for a type the library has no items of (not 1..24).
    bool IsValidMediaType() const;

    // Reads every row. A first row of property or custom field names is the
    // header: it proposes the column properties and is not imported;
    // otherwise every column starts as "<ignore>". False (error set, rows
    // as far as read dropped) when the file cannot be read whole.
    bool ReadFile(const CString& path, char delimiter, CString& error);
    bool ReadBytes(std::string bytes, char delimiter, CString& error);
    bool HasHeader() const { return m_hasHeader; }
    // The first row is data after all: it is chosen and every column goes
    // back to "<ignore>".
    void TreatFirstRowAsData();
    // The import window's switch, both ways, keeping the column properties
    // the user chose. As data the first row is chosen; as the header it is
    // not imported, and columns still "<ignore>" take the property their
    // heading names when no other column carries it.
    void SetFirstRowIsHeader(bool header);
    // The first row is headings after all (some of which name no property):
    // it is not imported, and the columns whose heading names a property
    // the type keeps, or a custom field, carry it.
    void TreatFirstRowAsHeader();
    // The heading of a column; "" without a header.
    CString GetHeading(int column) const;

    int GetColumnCount() const { return static_cast<int>(m_columns.GetSize()); }
    // The property of a column (0-based); "" outside the columns.
    CString GetColumnProperty(int column) const;
    // prop is a data property or custom field name (ignoring case) or
    // "<ignore>"; false for any other text or column, and for a property
    // items of the type do not keep (GetRefusal says why). A property comes
    // from one column: a column that had it before becomes "<ignore>".
    bool SetColumnProperty(int column, const CString& prop);
    // Why a data property cannot be imported into items of the type (it is
    // worked out, or kept by their sub-items or elsewhere); "" when it can.
    CString GetRefusal(const CString& prop) const;
    // What reading the file noticed about its columns (a heading naming a
    // property the type does not keep), one sentence each.
    const CStringArray& GetColumnNotes() const { return m_notes; }
    // Gives every ignored column with a heading that names nothing a new text
    // custom field of that name (or the field of that name that was made
    // meanwhile) and imports the column into it; appends the names made.
    // Refused property headings keep "<ignore>".
    void AddFieldsForIgnoredColumns(CStringArray& made);
    // Chooses the rows whose cell in column, looked up in types (keys
    // compared ignoring case and blanks), gives this job's media type; rows
    // of other types are left out. The header row stays out.
    void ChooseRowsByType(int column, const CMapStringToString& types);
    // The column whose heading reads heading (ignoring case); -1 without a
    // header or such a column.
    int FindColumn(const CString& heading) const;
    bool IsAllIgnored() const;
    // Properties the columns carry that items of the type do not have
    // (they are handed on and have no effect).
    CStringArray GetForeignProperties() const;

    int GetRowCount() const { return m_rowCount; }
    const CImportRow& GetRow(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    void SetRowChosen(int index, bool chosen);

    // The value map of a row: key the column's property, value the cell
    // text, for every column not ignored whose cell is not blank (a blank
    // cell would wipe a custom value the item has). For a video type the
    // "Length" gets ":00" appended, so that a number of minutes (or h:mm)
    // reads as h:m:s; a text that is h:m:s already is kept.
    // Cells are read by CImportValueReader; one that cannot be read is left
    // out and, when unread is given, appended to it.
    void BuildValues(const CImportRow& row, CMapStringToString& values,
        std::vector<CImportOutcome::CUnread>* unread = nullptr) const;

    // Marks the chosen rows whose item the library holds already. Neither
    // the library nor the shared lists change.
    void MarkExisting();
    // The same for one row (after it was chosen or left out); a row that
    // is not there is ignored.
    void MarkExistingRow(int row);

    // Imports every chosen row. On failure, or with dryRun, the library and
    // the shared lists are put back as they were before.
    CImportOutcome Run(bool dryRun);
    // The caller throws the library and the shared lists away unsaved after
    // a failed import or a dry run (the tool): they are then left as the
    // rows made them, which spares a copy of the whole library.
    void SetDiscardedUnlessSaved(bool discarded) { m_discardedUnlessSaved = discarded; }
    // The job is run once (the tool), set before the file is read: the rows
    // are not held but read again as they are imported, so that a large file
    // takes no memory beside the items it becomes. GetRowCount still counts
    // the rows; GetRow, SetRowChosen and MarkExisting have no rows to work on.
    void SetRunOnce(bool once) { m_runOnce = once; }
    // With SetKeepItems, Run keeps the items the rows went into, in row
    // order, each once.
    void SetKeepItems(bool keep) { m_keepItems = keep; }
    const std::vector<CMediaItem*>& GetItems() const { return m_items; }

protected:
    // One row into the library (tests make it fail part-way).
    virtual CMediaItem* ImportRow(const CMapStringToString& values);

private:
    // How a column is read: ignored (null prop), or its property and how
    // its cells are read.
    struct CColumnPlan {
        const CString* prop = nullptr;
        CImportValueReader::Kind kind = CImportValueReader::Kind::text;
        bool videoLength = false;
        int slot = -1; // of the property in the index of the values, when there is one
    };
    std::vector<CColumnPlan> MakePlan() const;
    // keys, when given, is an index of values (the plan's slots are its
    // own) and learns where each value is put.
    void BuildValues(const std::vector<CColumnPlan>& plan, const CImportRow& row, CMapStringToString& values,
        std::vector<CImportOutcome::CUnread>* unread, CPropMapKeys* keys = nullptr) const;
    // Marks rows first to end (not included).
    void MarkRows(std::size_t first, std::size_t end);
    const CCustomFieldMgr* GetFields() const;
    bool ReadRows(CDelimitedTextReader& reader, CString& error);
    // Calls f(row) for every row after the header, in file order: the held
    // rows, or with SetRunOnce each row as it is read again. Throws when the
    // file can no longer be read as it was.
    template <class F> void ForEachRow(F&& f);
    bool IsChosenByType(const CImportCells& cells) const;
    // The columns from the headings of the first row; refused properties
    // become "<ignore>" with a note.
    void ProposeColumns(bool header);
    // Why a chosen row is not imported; "" when it is.
    CString SkipReason(const CImportRow& row) const;

    CLibrary& m_library;
    int m_mediaType;
    std::vector<CImportRow> m_rows; // empty with SetRunOnce
    int m_rowCount = 0;
    // Where the rows are read again from with SetRunOnce.
    CString m_path;
    std::string m_bytes;
    char m_delimiter = ',';
    // ChooseRowsByType with SetRunOnce: the column and the types.
    bool m_byType = false;
    int m_typeColumn = -1;
    CMapStringToString m_types;
    // The cells of the first row, the headings when it is the header.
    CStringArray m_first;
    CStringArray m_columns;
    bool m_hasHeader = false;
    bool m_discardedUnlessSaved = false;
    bool m_runOnce = false;
    bool m_keepItems = false;
    std::vector<CMediaItem*> m_items;
    // Map nodes of earlier rows, reused for the next row's values.
    mutable std::vector<CMapStringToString::node_type> m_spareNodes;
    mutable CString m_readBuffer; // the cell being read
    // With an index of the values: each slot's value in the last row's and
    // this row's map, null where the row has none.
    mutable std::vector<CString*> m_lastRow;
    mutable std::vector<CString*> m_thisRow;
    CStringArray m_notes;
};
