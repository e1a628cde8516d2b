#include "data/store/ImportJob.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/PublisherMgr.h"
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

// The items a run went into, each with whether the run made it: a table of
// tagged pointers with open addressing, as a large import goes into many.
// Items made before the first look-up are only listed (most imports make
// every item and look up none, and the table's probes miss the cache).
class CTouchedItems {
public:
    enum class State { none, made, existing };

    State Find(const CMediaItem* item)
    {
        for (const CMediaItem* made : m_madeBefore)
            Insert(made, true);
        std::vector<const CMediaItem*>().swap(m_madeBefore);
        if (m_slots.empty())
            return State::none;
        const std::uintptr_t slot = m_slots[Slot(item)];
        return slot == 0 ? State::none : (slot & 1) ? State::made : State::existing;
    }
    void Add(const CMediaItem* item, bool made)
    {
        if (made && m_slots.empty())
            m_madeBefore.push_back(item);
        else
            Insert(item, made);
    }

private:
    void Insert(const CMediaItem* item, bool made)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            Grow();
        m_slots[Slot(item)] = reinterpret_cast<std::uintptr_t>(item) | (made ? 1 : 0);
        ++m_count;
    }
    // Where item is, or the empty slot it would take.
    std::size_t Slot(const CMediaItem* item) const
    {
        const auto key = reinterpret_cast<std::uintptr_t>(item);
        const std::size_t mask = m_slots.size() - 1;
        std::size_t at = static_cast<std::size_t>((key >> 4) * 0x9E3779B97F4A7C15ULL) & mask;
        while (m_slots[at] != 0 && (m_slots[at] & ~std::uintptr_t(1)) != key)
            at = (at + 1) & mask;
        return at;
    }
    void Grow()
    {
        std::vector<std::uintptr_t> old(std::max<std::size_t>(64, m_slots.size() * 2), 0);
        old.swap(m_slots);
        for (const std::uintptr_t slot : old)
            if (slot != 0)
                m_slots[Slot(reinterpret_cast<const CMediaItem*>(slot & ~std::uintptr_t(1)))] = slot;
    }

    std::vector<std::uintptr_t> m_slots;
    std::size_t m_count = 0;
    std::vector<const CMediaItem*> m_madeBefore;
};

// The rows could not be read again as they were read first.
class CRereadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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

bool CImportCells::Read(CDelimitedTextReader& reader)
{
    return reader.ReadRow(m_text, m_count);
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
    m_path = path;
    m_delimiter = delimiter;
    CDelimitedTextReader reader(delimiter);
    if (!reader.Open(path)) {
        error = reader.GetError();
        return false;
    }
    return ReadRows(reader, error);
}

bool CImportJob::ReadBytes(std::string bytes, char delimiter, CString& error)
{
    m_path.clear();
    m_delimiter = delimiter;
    CDelimitedTextReader reader(delimiter);
    if (m_runOnce) {
        m_bytes = std::move(bytes);
        reader.OpenBytes(m_bytes);
    } else {
        reader.OpenBytes(std::move(bytes));
    }
    return ReadRows(reader, error);
}

bool CImportJob::ReadRows(CDelimitedTextReader& reader, CString& error)
{
    m_rows.clear();
    m_rowCount = 0;
    m_first.RemoveAll();
    m_columns.RemoveAll();
    m_hasHeader = false;
    m_byType = false;
    std::size_t columnCount = 0;
    CImportRow row;
    const auto next = [&](std::size_t& cells) {
        // Read again as they are imported, the rows after the first are
        // only checked and counted here.
        if (m_runOnce && m_rowCount > 0) {
            int count = 0;
            const bool read = reader.SkipRow(count);
            cells = static_cast<std::size_t>(count);
            return read;
        }
        const bool read = row.cells.Read(reader);
        cells = row.cells.size();
        return read;
    };
    for (std::size_t cells = 0; next(cells);) {
        columnCount = std::max(columnCount, cells);
        if (m_rowCount++ == 0)
            m_first = row.cells.ToArray();
        if (m_runOnce)
            continue;
        row.rowNumber = reader.GetRowNumber();
        row.lineNumber = reader.GetLineNumber();
        // A copy takes no more room than its text; row keeps its room for the next.
        m_rows.push_back(row);
    }
    if (reader.HasError()) {
        error = reader.GetError();
        m_rows.clear();
        m_rowCount = 0;
        m_first.RemoveAll();
        return false;
    }
    m_columns.SetSize(static_cast<int>(columnCount));
    ProposeColumns(m_rowCount > 0 && CDelimitedTextReader::IsHeaderRow(m_first, GetFields()));
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
    if (!m_rows.empty())
        m_rows.front().chosen = true;
    m_notes.RemoveAll();
    for (CString& column : m_columns)
        column = CDelimitedTextReader::IGNORE_COLUMN;
}

void CImportJob::SetFirstRowIsHeader(bool header)
{
    if (m_rowCount == 0 || header == m_hasHeader)
        return;
    m_hasHeader = header;
    if (!m_rows.empty())
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
    if (!m_hasHeader && m_rowCount > 0)
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
    m_byType = true;
    m_typeColumn = column;
    m_types = types;
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (!m_hasHeader || r > 0)
            m_rows[r].chosen = IsChosenByType(m_rows[r].cells);
}

bool CImportJob::IsChosenByType(const CImportCells& cells) const
{
    const CString cell = m_typeColumn >= 0 && m_typeColumn < cells.GetSize()
        ? CStringUtils::ToLower(CStringUtils::Trim(cells.GetAt(m_typeColumn)))
        : CString();
    const CString* type = m_types.PLookup(cell);
    return type && *type == std::to_string(m_mediaType);
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
    if (index >= 0 && static_cast<std::size_t>(index) < m_rows.size())
        m_rows[static_cast<std::size_t>(index)].chosen = chosen;
}

std::vector<CImportJob::CColumnPlan> CImportJob::MakePlan() const
{
    const bool video = IsVideoType(m_mediaType);
    std::vector<CColumnPlan> plan(m_columns.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const CString& prop = m_columns[i];
        if (prop == CDelimitedTextReader::IGNORE_COLUMN)
            continue;
        plan[i].prop = &prop;
        plan[i].kind = CImportValueReader::KindOf(prop);
        plan[i].videoLength = video && prop == CMediaUtils::MEDIA_PROP_LENGTH;
    }
    return plan;
}

void CImportJob::BuildValues(
    const CImportRow& row, CMapStringToString& values, std::vector<CImportOutcome::CUnread>* unread) const
{
    BuildValues(MakePlan(), row, values, unread);
}

void CImportJob::BuildValues(const std::vector<CColumnPlan>& plan, const CImportRow& row, CMapStringToString& values,
    std::vector<CImportOutcome::CUnread>* unread, CPropMapKeys* keys) const
{
    // With an index, the values of the last row stay in place where this
    // row has the key too; otherwise the nodes (and their strings' room) of
    // the last row serve the next.
    if (keys) {
        keys->Clear();
        std::size_t slots = 0;
        for (const CColumnPlan& column : plan)
            slots = std::max(slots, static_cast<std::size_t>(column.slot + 1));
        m_lastRow.resize(slots, nullptr);
        m_thisRow.assign(slots, nullptr);
    } else {
        while (!values.empty())
            m_spareNodes.push_back(values.extract(values.begin()));
    }
    const int count = std::min(static_cast<int>(plan.size()), row.cells.GetSize());
    CString problem;
    CString& read = m_readBuffer;
    row.cells.ForEach([&](int i, std::string_view cell) {
        if (i >= count || !plan[i].prop || CStringUtils::IsEffectivelyEmpty(cell))
            return;
        const CString& prop = *plan[i].prop;
        problem.clear();
        if (!CImportValueReader::Read(plan[i].kind, cell, read, problem)) {
            if (unread)
                unread->push_back({ row.rowNumber, i + 1, prop, problem });
            return;
        }
        if (CStringUtils::IsEffectivelyEmpty(read))
            return;
        if (plan[i].videoLength && std::count(read.begin(), read.end(), ':') < 2)
            read += ":00";
        CString* placed = keys ? std::exchange(m_lastRow[plan[i].slot], nullptr) : nullptr;
        if (placed) {
            placed->swap(read);
        } else if (m_spareNodes.empty()) {
            placed = &values.insert_or_assign(prop, read).first->second;
        } else {
            CMapStringToString::node_type node = std::move(m_spareNodes.back());
            m_spareNodes.pop_back();
            node.key() = prop;
            node.mapped().swap(read);
            auto inserted = values.insert(std::move(node));
            if (!inserted.inserted) {
                inserted.position->second.swap(inserted.node.mapped());
                m_spareNodes.push_back(std::move(inserted.node));
            }
            placed = &inserted.position->second;
        }
        if (keys) {
            keys->Set(plan[i].slot, placed);
            m_thisRow[plan[i].slot] = placed;
        }
    });
    if (!keys)
        return;
    // Keys of the last row that this row lacks go.
    for (const CColumnPlan& column : plan) {
        if (!column.prop || !m_lastRow[column.slot])
            continue;
        m_lastRow[column.slot] = nullptr;
        if (auto at = values.find(*column.prop); at != values.end())
            m_spareNodes.push_back(values.extract(at));
    }
    m_lastRow.swap(m_thisRow);
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
        const std::vector<CColumnPlan> plan = MakePlan();
        for (std::size_t r = first; r < end; ++r) {
            CImportRow& row = m_rows[r];
            if (!row.chosen)
                continue;
            BuildValues(plan, row, values, nullptr);
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

template <class F> void CImportJob::ForEachRow(F&& f)
{
    const std::size_t first = m_hasHeader ? 1 : 0;
    if (!m_runOnce) {
        for (std::size_t r = first; r < m_rows.size(); ++r)
            f(m_rows[r]);
        return;
    }
    CDelimitedTextReader reader(m_delimiter);
    if (m_path.empty())
        reader.OpenBytes(m_bytes);
    else if (!reader.Open(m_path))
        throw CRereadError(reader.GetError());
    CImportRow row;
    int count = 0;
    while (row.cells.Read(reader)) {
        if (count++ < static_cast<int>(first))
            continue;
        row.rowNumber = reader.GetRowNumber();
        row.lineNumber = reader.GetLineNumber();
        row.chosen = !m_byType || IsChosenByType(row.cells);
        f(row);
    }
    if (reader.HasError())
        throw CRereadError(reader.GetError());
    if (count != m_rowCount)
        throw CRereadError("it changed while it was imported");
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
    const bool anyChosen = m_runOnce
        || std::any_of(m_rows.begin() + static_cast<std::ptrdiff_t>(std::min(first, m_rows.size())), m_rows.end(),
            [this](const CImportRow& row) { return SkipReason(row).empty(); });
    if (!anyChosen) {
        for (std::size_t r = first; r < m_rows.size(); ++r)
            outcome.skipped.push_back({ m_rows[r].rowNumber, SkipReason(m_rows[r]) });
        return outcome;
    }

    CLibrarySnapshot snapshot;
    if (!m_discardedUnlessSaved && !snapshot.Take(m_library, outcome.error))
        return outcome;

    CTouchedItems touched;
    m_items.clear();
    std::vector<CColumnPlan> plan = MakePlan();
    int current = static_cast<int>(first) + 1;
    CString failure;
    bool failed = false;
    bool reread = false;
    try {
        // The item classes look up each of their properties in every row's
        // values; only the columns' properties can be there.
        CMapStringToString values;
        CPropMapKeys keys(values, m_columns);
        m_lastRow.clear();
        for (CColumnPlan& column : plan)
            if (column.prop)
                column.slot = keys.Slot(*column.prop);
        CPropMapKeys::CUse use(keys);
        const CPublisherMgr::CNameIndex publishers(CPublisherMgr::GetInstance());
        std::vector<CImportOutcome::CUnread> unread;
        ForEachRow([&](const CImportRow& row) {
            current = row.rowNumber;
            unread.clear();
            if (row.chosen)
                BuildValues(plan, row, values, &unread, &keys);
            if (!row.chosen || values.IsEmpty()) {
                outcome.skipped.push_back({ row.rowNumber, SkipReason(row) });
                return;
            }
            outcome.unread.insert(outcome.unread.end(), unread.begin(), unread.end());
            const int before = m_library.GetItemCount(m_mediaType);
            CMediaItem* item = ImportRow(values);
            if (!item) {
                outcome.skipped.push_back({ row.rowNumber, "the library did not take the row" });
                return;
            }
            const bool made = m_library.GetItemCount(m_mediaType) > before;
            const CTouchedItems::State state = made ? CTouchedItems::State::none : touched.Find(item);
            if (made)
                ++outcome.created;
            else if (state == CTouchedItems::State::made)
                ++outcome.repeated;
            else
                ++outcome.merged;
            if (state == CTouchedItems::State::none) {
                touched.Add(item, made);
                if (m_keepItems)
                    m_items.push_back(item);
            }
        });
    } catch (const CRereadError& e) {
        failed = reread = true;
        failure = e.what();
    } catch (const std::exception& e) {
        failed = true;
        failure = e.what();
    } catch (...) {
        failed = true;
        failure = "unknown failure";
    }
    if (failed) {
        m_items.clear();
        CString restoreError;
        const bool restored = !snapshot.IsTaken() || snapshot.Restore(m_library, restoreError);
        outcome = CImportOutcome();
        outcome.error = (reread ? "The file could not be read again (" + failure + "); "
                                : CStringUtils::Format("Row %d could not be imported (%s); ", current, failure.c_str()))
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
