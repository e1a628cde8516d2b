#include "data/store/CustomFieldsEditor.h"

#include <functional>

#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/CustomValueEdit.h"
#include "data/store/Library.h"
#include "platform/util/StringUtils.h"

namespace {

// Every item of the type that holds values of its own: media items and the
// sub-items (magazine articles) that carry a category.
void ForEachValueHolder(CLibrary& library, int mediaType, const std::function<void(CItem&)>& visit)
{
    for (POSITION pos = library.GetHeadItem(mediaType); pos;) {
        CMediaItem* item = library.GetNextItem(mediaType, pos);
        if (!item)
            continue;
        if (item->GetCategoryID() > 0 && item->GetCustomValues())
            visit(*item);
        for (POSITION sub = item->GetHeadSubItem(); sub;) {
            CMediaSubItem* subItem = item->GetNextSubItem(sub);
            if (subItem && subItem->GetCategoryID() > 0 && subItem->GetCustomValues())
                visit(*subItem);
        }
    }
}

// The values at position of a field that was of another data type, made
// values of its new type through their texts.
void ConvertValues(CLibrary& library, int mediaType, int position, const CCustomField& field)
{
    ForEachValueHolder(library, mediaType, [&](CItem& item) {
        const CCustomValue* value = item.GetCustomValues()->GetValueAt(position);
        if (!value || value->GetType() == CCustomValueEdit::ValueTypeOf(field.GetDataType()))
            return;
        // The texts are those of the old type (the value's own).
        CMapStringToString texts;
        texts.SetAt(field.GetName(), CString());
        library.GatherCustomFieldDataForItem(&item, texts);
        auto* fresh = new CCustomValue(CCustomValueEdit::ValueTypeOf(field.GetDataType()));
        item.GetCustomValues()->SetAt(position, fresh);
        library.SetCustomFieldDataForItem(&item, texts, true);
    });
}

} // namespace

CCustomFieldsEditor::CCustomFieldsEditor(const CCustomFieldMgr* fields)
{
    for (int i = 0; fields && i < fields->GetFieldCount(); ++i)
        if (const CCustomField* field = fields->GetFieldAt(i))
            m_entries.push_back({ *field, i });
    m_storedCount = fields ? fields->GetFieldCount() : 0;
}

CString CCustomFieldsEditor::SuggestTag(const CString& name)
{
    CString tag = CStringUtils::ToUpper(CStringUtils::Trim(name));
    for (char& c : tag)
        if (c == ' ' || c == '\t')
            c = '_';
    return tag;
}

CString CCustomFieldsEditor::CheckField(const CCustomField& field, int index) const
{
    const CString name = CStringUtils::Trim(field.GetName());
    if (name.empty())
        return "A custom field needs a name.";
    if (CMediaUtils::IsDataProp(name))
        return "\"" + name + "\" is the name of a data property. Please choose another name.";
    if (name[0] == '-')
        return "A custom field name cannot begin with \"-\".";
    for (int i = 0; i < GetCount(); ++i)
        if (i != index && CStringUtils::EqualsNoCase(GetAt(i).GetName(), name))
            return "A custom field named \"" + GetAt(i).GetName() + "\" exists already.";
    if (field.GetDataType() == CF_SELECTIONLIST && field.GetSelectionListCount() == 0)
        return "A selection list needs at least one choice.";
    return CString();
}

bool CCustomFieldsEditor::Add(const CCustomField& field, CString& error)
{
    error = CheckField(field, -1);
    if (!error.empty())
        return false;
    CEntry entry { field, -1 };
    entry.field.SetName(CStringUtils::Trim(field.GetName()));
    m_entries.push_back(entry);
    m_edited = true;
    return true;
}

bool CCustomFieldsEditor::Replace(int index, const CCustomField& field, CString& error)
{
    if (index < 0 || index >= GetCount()) {
        error = "There is no such custom field.";
        return false;
    }
    error = CheckField(field, index);
    if (!error.empty())
        return false;
    CCustomField& stored = m_entries[static_cast<std::size_t>(index)].field;
    stored = field;
    stored.SetName(CStringUtils::Trim(field.GetName()));
    m_edited = true;
    return true;
}

bool CCustomFieldsEditor::Delete(int index)
{
    if (index < 0 || index >= GetCount())
        return false;
    m_entries.erase(m_entries.begin() + index);
    m_edited = true;
    return true;
}

bool CCustomFieldsEditor::MoveUp(int index)
{
    if (index < 1 || index >= GetCount())
        return false;
    std::swap(m_entries[static_cast<std::size_t>(index)], m_entries[static_cast<std::size_t>(index - 1)]);
    m_edited = true;
    return true;
}

bool CCustomFieldsEditor::MoveDown(int index)
{
    return MoveUp(index + 1);
}

bool CCustomFieldsEditor::IsChanged() const
{
    return m_edited;
}

bool CCustomFieldsEditor::Apply(CLibrary& library, int mediaType) const
{
    CCustomFieldMgr* fields = library.GetCustomFieldMgr(mediaType);
    if (!fields)
        return false;
    std::vector<CCustomField*> stored;
    for (int i = 0; i < fields->GetFieldCount(); ++i)
        stored.push_back(fields->GetFieldAt(i));
    // The list may have changed since the window opened only if someone
    // else edited it; then nothing is touched.
    if (static_cast<int>(stored.size()) != m_storedCount)
        return false;

    std::vector<bool> kept(stored.size(), false);
    for (const CEntry& entry : m_entries)
        if (entry.original >= 0)
            kept[static_cast<std::size_t>(entry.original)] = true;
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (!kept[i])
            library.DeleteCustomField(mediaType, stored[i]);

    // Each entry's field in the library, new ones appended.
    std::vector<CCustomField*> target;
    for (const CEntry& entry : m_entries) {
        if (entry.original >= 0) {
            target.push_back(stored[static_cast<std::size_t>(entry.original)]);
            continue;
        }
        auto* added = new CCustomField(entry.field);
        fields->Add(added);
        target.push_back(added);
    }
    // Into the editor's order, one exchange at a time, values moving along.
    for (int position = 0; position < static_cast<int>(target.size()); ++position)
        if (fields->GetFieldAt(position) != target[static_cast<std::size_t>(position)])
            library.SwapCustomFields(
                mediaType, fields->GetFieldAt(position), target[static_cast<std::size_t>(position)]);

    for (int position = 0; position < static_cast<int>(target.size()); ++position) {
        const CEntry& entry = m_entries[static_cast<std::size_t>(position)];
        if (entry.original < 0)
            continue;
        CCustomField* field = target[static_cast<std::size_t>(position)];
        const CCustomField before = *field;
        *field = entry.field;
        if (before.GetDataType() != entry.field.GetDataType())
            ConvertValues(library, mediaType, position, *field);
    }
    return true;
}
