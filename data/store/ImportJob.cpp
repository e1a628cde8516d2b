#include "data/store/ImportJob.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_set>

#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/ImportValueReader.h"
#include "data/store/Library.h"
#include "data/store/LibraryImpl.h"
#include "data/store/LibrarySnapshot.h"
#include "data/store/MediaMgr.h"
#include "platform/util/StringUtils.h"

namespace {

bool IsVideoType(int mediaType)
{
    bool recordable = false;
    return CMediaUtils::IsMediaTypeVideo(mediaType, recordable);
}

bool Contains(const CStringArray& list, const CString& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The details of a publisher are kept with the publisher, not the item.
bool IsPublisherDetail(const CString& prop)
{
    return prop == CMediaUtils::MEDIA_PROP_PUBLISHERADDRESS || prop == CMediaUtils::MEDIA_PROP_PUBLISHEREMAIL
        || prop == CMediaUtils::MEDIA_PROP_PUBLISHERPHONE || prop == CMediaUtils::MEDIA_PROP_PUBLISHERURL;
}

} // namespace

CImportCells::CImportCells(const CStringArray& cells)
    : m_count(static_cast<int>(cells.size()))
{
    std::size_t length = 0;
    for (const CString& cell : cells)
        length += cell.size() + 1;
    m_text.reserve(length);
    for (const CString& cell : cells) {
        m_text += cell;
        m_text += '\0';
    }
}

CString CImportCells::GetAt(int index) const
{
    CString cell;
    ForEach([&](int i, std::string_view text) {
        if (i == index)
            cell = text;
    });
    return cell;
}

CStringArray CImportCells::ToArray() const
{
    CStringArray cells;
    ForEach([&](int, std::string_view text) { cells.Add(CString(text)); });
    return cells;
}

CImportJob::CImportJob(CLibrary& library, int mediaType)
    : m_library(library)
    , m_mediaType(mediaType)
{
}

CImportJob::~CImportJob() = default;

bool CImportJob::IsValidMediaType() const
{
    return CMediaUtils::IsValidMediaID(m_mediaType) && m_library.GetImpl()
        && m_library.GetImpl()->GetMediaMgr(m_mediaType);
}

const CCustomFieldMgr* CImportJob::GetFields() const
{
    return m_library.GetCustomFieldMgr(m_mediaType);
}

bool CImportJob::ReadFile(const CString& path, char delimiter, CString& error)
{
    CDelimitedTextReader reader(delimiter);
    if (!reader.Open(path)) {
        error = reader.GetError();
        return false;
    }
    return ReadRows(reader, error);
}

bool CImportJob::ReadBytes(std::string bytes, char delimiter, CString& error)
{
    CDelimitedTextReader reader(delimiter);
    reader.OpenBytes(std::move(bytes));
    return ReadRows(reader, error);
}

bool CImportJob::ReadRows(CDelimitedTextReader& reader, CString& error)
{
    m_rows.clear();
    m_first.RemoveAll();
    m_columns.RemoveAll();
    m_hasHeader = false;
    std::size_t columnCount = 0;
    CStringArray cells;
    while (reader.ReadRow(cells)) {
        CImportRow row;
        row.rowNumber = reader.GetRowNumber();
        row.lineNumber = reader.GetLineNumber();
        row.cells = CImportCells(cells);
        columnCount = std::max(columnCount, cells.size());
        if (m_rows.empty())
            m_first = cells;
        m_rows.push_back(std::move(row));
    }
    if (reader.HasError()) {
        error = reader.GetError();
        m_rows.clear();
        m_first.RemoveAll();
        return false;
    }
    m_columns.SetSize(static_cast<int>(columnCount));
    ProposeColumns(!m_rows.empty() && CDelimitedTextReader::IsHeaderRow(m_first, GetFields()));
    return true;
}

void CImportJob::ProposeColumns(bool header)
{
    const CStringArray noCells;
    const CStringArray& first = header ? m_first : noCells;
    CStringArray proposed;
    CDelimitedTextReader::ProposeMapping(first, GetFields(), GetColumnCount(), proposed);
    // ProposeMapping takes a header only when every heading names something.
    if (header && !CDelimitedTextReader::IsHeaderRow(first, GetFields()))
        for (int i = 0; i < GetColumnCount(); ++i) {
            const CString prop
                = i < first.GetSize() ? CDelimitedTextReader::FindProperty(first.GetAt(i), GetFields()) : CString();
            proposed.SetAt(i, prop.empty() || Contains(proposed, prop) ? CDelimitedTextReader::IGNORE_COLUMN : prop);
        }
    m_notes.RemoveAll();
    for (int i = 0; i < GetColumnCount(); ++i) {
        CString prop = proposed.GetAt(i);
        if (const CString refusal = GetRefusal(prop); !refusal.empty()) {
            m_notes.Add(CStringUtils::Format("Column %d is not imported: %s.", i + 1, refusal.c_str()));
            prop = CDelimitedTextReader::IGNORE_COLUMN;
        }
        m_columns.SetAt(i, prop);
    }
    m_hasHeader = header;
    if (!m_rows.empty())
        m_rows.front().chosen = !header;
}

void CImportJob::TreatFirstRowAsData()
{
    if (!m_hasHeader)
        return;
    m_hasHeader = false;
    m_rows.front().chosen = true;
    m_notes.RemoveAll();
    for (CString& column : m_columns)
        column = CDelimitedTextReader::IGNORE_COLUMN;
}

void CImportJob::SetFirstRowIsHeader(bool header)
{
    if (m_rows.empty() || header == m_hasHeader)
        return;
    m_hasHeader = header;
    m_rows.front().chosen = !header;
    if (!header)
        return;
    const CStringArray& headings = m_first;
    for (int column = 0; column < GetColumnCount() && column < headings.GetSize(); ++column) {
        if (m_columns.GetAt(column) != CDelimitedTextReader::IGNORE_COLUMN)
            continue;
        const CString prop = CDelimitedTextReader::FindProperty(headings.GetAt(column), GetFields());
        if (!prop.empty() && std::find(m_columns.begin(), m_columns.end(), prop) == m_columns.end())
            m_columns.SetAt(column, prop);
    }
}

void CImportJob::TreatFirstRowAsHeader()
{
    if (!m_hasHeader && !m_rows.empty())
        ProposeColumns(true);
}

CString CImportJob::GetHeading(int column) const
{
    if (!m_hasHeader || column < 0 || column >= m_first.GetSize())
        return CString();
    return CStringUtils::Trim(m_first.GetAt(column));
}

CString CImportJob::GetRefusal(const CString& prop) const
{
    if (!CMediaUtils::IsDataProp(prop) || !CMediaRegistry::Find(m_mediaType))
        return CString();
    const CString name = CMediaUtils::GetMediaNamePlural(m_mediaType);
    bool derived = false, yesNo = false, number = false, date = false, text = false, list = false, noGrid = false;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGrid);
    if (derived)
        return "\"" + prop + "\" is worked out by the program and cannot be imported";
    if (IsPublisherDetail(prop))
        return "\"" + prop + "\" is kept with the publisher, in the list of publishers";
    const bool subItem = CMediaUtils::IsDataPropSubItemProp(prop, false)
        || (!Contains(CMediaRegistry::GetDataProps(m_mediaType), prop)
            && Contains(CMediaRegistry::GetSubItemDataProps(m_mediaType), prop));
    if (subItem)
        return "\"" + prop + "\" belongs to the tracks, chapters or articles of " + name
            + ", which are not imported from rows";
    return CString();
}

void CImportJob::AddFieldsForIgnoredColumns(CStringArray& made)
{
    CCustomFieldMgr* fields = m_library.GetCustomFieldMgr(m_mediaType);
    if (!fields || !m_hasHeader)
        return;
    for (int i = 0; i < GetColumnCount(); ++i) {
        const CString heading = GetHeading(i);
        if (m_columns.GetAt(i) != CDelimitedTextReader::IGNORE_COLUMN || heading.empty()
            || CMediaUtils::IsDataProp(CDelimitedTextReader::FindProperty(heading, nullptr)))
            continue;
        CString name = CDelimitedTextReader::FindProperty(heading, fields);
        if (name.empty()) {
            auto field = std::make_unique<CCustomField>();
            field->SetName(heading);
            field->SetDataType(CF_TEXT);
            name = field->GetName();
            fields->Add(field.release());
            made.Add(name);
        }
        if (!Contains(m_columns, name))
            m_columns.SetAt(i, name);
    }
}

void CImportJob::ChooseRowsByType(int column, const CMapStringToString& types)
{
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        CImportRow& row = m_rows[r];
        if (m_hasHeader && r == 0)
            continue;
        const CString cell = column >= 0 && column < row.cells.GetSize()
            ? CStringUtils::ToLower(CStringUtils::Trim(row.cells.GetAt(column)))
            : CString();
        const CString* type = types.PLookup(cell);
        row.chosen = type && *type == std::to_string(m_mediaType);
    }
}

CString CImportJob::GetColumnProperty(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns.GetAt(column) : CString();
}

bool CImportJob::SetColumnProperty(int column, const CString& prop)
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    CString name = CDelimitedTextReader::FindProperty(prop, GetFields());
    if (!GetRefusal(name).empty())
        return false;
    if (name.empty()) {
        if (!CStringUtils::EqualsNoCase(CStringUtils::Trim(prop), CDelimitedTextReader::IGNORE_COLUMN))
            return false;
        name = CDelimitedTextReader::IGNORE_COLUMN;
    } else {
        for (CString& other : m_columns)
            if (other == name)
                other = CDelimitedTextReader::IGNORE_COLUMN;
    }
    m_columns.SetAt(column, name);
    return true;
}

int CImportJob::FindColumn(const CString& heading) const
{
    if (!m_hasHeader)
        return -1;
    const CStringArray& cells = m_first;
    const CString wanted = CStringUtils::Trim(heading);
    for (int i = 0; i < cells.GetSize(); ++i)
        if (CStringUtils::EqualsNoCase(CStringUtils::Trim(cells.GetAt(i)), wanted))
            return i;
    return -1;
}

bool CImportJob::IsAllIgnored() const
{
    return std::all_of(m_columns.begin(), m_columns.end(),
        [](const CString& prop) { return prop == CDelimitedTextReader::IGNORE_COLUMN; });
}

CStringArray CImportJob::GetForeignProperties() const
{
    CStringArray foreign;
    if (!CMediaRegistry::Find(m_mediaType))
        return foreign;
    const CStringArray& own = CMediaRegistry::GetDataProps(m_mediaType);
    const CStringArray& subItem = CMediaRegistry::GetSubItemDataProps(m_mediaType);
    for (const CString& prop : m_columns) {
        if (prop == CDelimitedTextReader::IGNORE_COLUMN || !CMediaUtils::IsDataProp(prop))
            continue;
        if (std::find(own.begin(), own.end(), prop) == own.end()
            && std::find(subItem.begin(), subItem.end(), prop) == subItem.end())
            foreign.Add(prop);
    }
    return foreign;
}

void CImportJob::SetRowChosen(int index, bool chosen)
{
    if (index >= 0 && index < GetRowCount())
        m_rows[static_cast<std::size_t>(index)].chosen = chosen;
}

void CImportJob::BuildValues(
    const CImportRow& row, CMapStringToString& values, std::vector<CImportOutcome::CUnread>* unread) const
{
    values.RemoveAll();
    const bool video = IsVideoType(m_mediaType);
    const int count = std::min(GetColumnCount(), row.cells.GetSize());
    CString cell;
    row.cells.ForEach([&](int i, std::string_view text) {
        if (i >= count)
            return;
        const CString& prop = m_columns.GetAt(i);
        if (prop == CDelimitedTextReader::IGNORE_COLUMN)
            return;
        cell.assign(text);
        if (CStringUtils::IsEffectivelyEmpty(cell))
            return;
        CImportValueReader::CValue value = CImportValueReader::Read(prop, cell);
        if (!value.problem.empty()) {
            if (unread)
                unread->push_back({ row.rowNumber, i + 1, prop, value.problem });
            return;
        }
        CString& read = value.text;
        if (CStringUtils::IsEffectivelyEmpty(read))
            return;
        if (video && prop == CMediaUtils::MEDIA_PROP_LENGTH && std::count(read.begin(), read.end(), ':') < 2)
            read += ":00";
        values.SetAt(prop, std::move(read));
    });
}

CString CImportJob::SkipReason(const CImportRow& row) const
{
    if (!row.chosen)
        return "not marked for import";
    bool blank = true;
    row.cells.ForEach(
        [&blank](int, std::string_view text) { blank = blank && CStringUtils::IsEffectivelyEmpty(CString(text)); });
    if (blank)
        return "empty row";
    CMapStringToString values;
    BuildValues(row, values);
    if (values.IsEmpty())
        return "no data in the imported columns";
    return CString();
}

void CImportJob::MarkExisting()
{
    MarkRows(0, m_rows.size());
}

void CImportJob::MarkExistingRow(int row)
{
    if (row >= 0 && static_cast<std::size_t>(row) < m_rows.size())
        MarkRows(static_cast<std::size_t>(row), static_cast<std::size_t>(row) + 1);
}

void CImportJob::MarkRows(std::size_t first, std::size_t end)
{
    CMediaMgr* mgr = IsValidMediaType() ? m_library.GetImpl()->GetMediaMgr(m_mediaType) : nullptr;
    for (std::size_t r = first; r < end; ++r)
        m_rows[r].exists = false;
    if (!mgr || IsAllIgnored())
        return;
    // Items made to compare with may add publishers and magazine titles;
    // those go again afterwards. Their category is left out, so that no
    // category is made.
    const std::string shared = CLibrarySnapshot::SharedBytes();
    try {
        CMapStringToString values;
        for (std::size_t r = first; r < end; ++r) {
            CImportRow& row = m_rows[r];
            if (!row.chosen)
                continue;
            BuildValues(row, values);
            values.RemoveKey(CMediaUtils::MEDIA_PROP_CATEGORY);
            values.RemoveKey(CMediaUtils::MEDIA_PROP_CATEGORYDESC);
            if (values.IsEmpty())
                continue;
            std::unique_ptr<CMediaItem, void (*)(CMediaItem*)> probe(mgr->CreateDefaultItem(), CMediaMgr::DestroyItem);
            probe->SetData(values, true);
            row.exists = m_library.FindDuplicate(probe.get()) != nullptr;
        }
    } catch (...) {
        CLibrarySnapshot::RestoreShared(shared);
        throw;
    }
    CLibrarySnapshot::RestoreShared(shared);
}

CMediaItem* CImportJob::ImportRow(const CMapStringToString& values)
{
    return m_library.Import(m_mediaType, values, false);
}

CImportOutcome CImportJob::Run(bool dryRun)
{
    CImportOutcome outcome;
    if (!IsValidMediaType()) {
        outcome.error = CStringUtils::Format("There is no media type %d to import into.", m_mediaType);
        return outcome;
    }
    if (IsAllIgnored()) {
        outcome.error = ALL_IGNORED_ERROR;
        return outcome;
    }

    // The library is kept to be put back only when some row is imported;
    // the rows are read once, as they are imported.
    const std::size_t first = m_hasHeader ? 1 : 0;
    const bool anyChosen = std::any_of(m_rows.begin() + static_cast<std::ptrdiff_t>(std::min(first, m_rows.size())),
        m_rows.end(), [this](const CImportRow& row) { return SkipReason(row).empty(); });
    if (!anyChosen) {
        for (std::size_t r = first; r < m_rows.size(); ++r)
            outcome.skipped.push_back({ m_rows[r].rowNumber, SkipReason(m_rows[r]) });
        return outcome;
    }

    CLibrarySnapshot snapshot;
    if (!m_discardedUnlessSaved && !snapshot.Take(m_library, outcome.error))
        return outcome;

    std::unordered_set<const CMediaItem*> created;
    const CImportRow* current = nullptr;
    CString failure;
    bool failed = false;
    try {
        CMapStringToString values;
        std::vector<CImportOutcome::CUnread> unread;
        for (std::size_t r = first; r < m_rows.size(); ++r) {
            const CImportRow* row = &m_rows[r];
            current = row;
            unread.clear();
            if (row->chosen)
                BuildValues(*row, values, &unread);
            if (!row->chosen || values.IsEmpty()) {
                outcome.skipped.push_back({ row->rowNumber, SkipReason(*row) });
                continue;
            }
            outcome.unread.insert(outcome.unread.end(), unread.begin(), unread.end());
            const int before = m_library.GetItemCount(m_mediaType);
            CMediaItem* item = ImportRow(values);
            if (!item) {
                outcome.skipped.push_back({ row->rowNumber, "the library did not take the row" });
            } else if (m_library.GetItemCount(m_mediaType) > before) {
                created.insert(item);
                ++outcome.created;
            } else if (created.count(item)) {
                ++outcome.repeated;
            } else {
                ++outcome.merged;
            }
        }
    } catch (const std::exception& e) {
        failed = true;
        failure = e.what();
    } catch (...) {
        failed = true;
        failure = "unknown failure";
    }
    if (failed) {
        CString restoreError;
        const bool restored = !snapshot.IsTaken() || snapshot.Restore(m_library, restoreError);
        outcome = CImportOutcome();
        outcome.error = CStringUtils::Format("Row %d could not be imported (%s); ", current->rowNumber, failure.c_str())
            + (restored ? CString("nothing was imported.")
                        : "the library could not be put back as it was (" + restoreError + ").");
        return outcome;
    }
    std::sort(outcome.skipped.begin(), outcome.skipped.end(),
        [](const CImportOutcome::CSkip& a, const CImportOutcome::CSkip& b) { return a.rowNumber < b.rowNumber; });

    if (dryRun && snapshot.IsTaken()) {
        CString restoreError;
        if (!snapshot.Restore(m_library, restoreError))
            outcome.error = "The library could not be put back as it was after the trial (" + restoreError + ").";
    }
    return outcome;
}
