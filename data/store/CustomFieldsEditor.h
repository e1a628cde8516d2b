#pragma once
// The custom fields window's working copy of one media type's fields. The
// user adds, changes, deletes and reorders fields here; Apply hands the
// result to the library in the order that keeps every item's values with
// their fields (deletions and moves go through the library, which moves
// the values of all items along).

#include <vector>

#include "data/store/CustomField.h"
#include "platform/util/VemoTypes.h"

class CCustomFieldMgr;
class CLibrary;

class CCustomFieldsEditor {
public:
    // fields: the type's list now (may be null: no fields yet).
    explicit CCustomFieldsEditor(const CCustomFieldMgr* fields);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // index in 0..count-1.
    const CCustomField& GetAt(int index) const { return m_entries.at(static_cast<std::size_t>(index)).field; }
    // Whether the field at index was in the list when the window opened.
    bool IsStored(int index) const { return m_entries.at(static_cast<std::size_t>(index)).original >= 0; }

    // Why field cannot stand at index (-1: as a new field), or "" when it
    // can: a name that is blank, names a data property, begins with "-"
    // (report sort keys use it to mean descending), or is another field's
    // name (ignoring case); a selection list without choices.
    CString CheckField(const CCustomField& field, int index) const;
    // Each refuses (with the reason) what CheckField refuses; names are
    // stored trimmed.
    bool Add(const CCustomField& field, CString& error);
    bool Replace(int index, const CCustomField& field, CString& error);
    bool Delete(int index);
    // Exchange with the neighbour; false at the ends.
    bool MoveUp(int index);
    bool MoveDown(int index);

    bool IsChanged() const;

    // Makes the library's list of mediaType what the editor holds. A field
    // whose data type changed keeps its values, each converted through its
    // text (a date becomes its date text, a text "yes" becomes true ...).
    // False when the library has no list for the type.
    bool Apply(CLibrary& library, int mediaType) const;

    // A tag for the web report templates made from a field name: upper
    // case, blanks as "_".
    static CString SuggestTag(const CString& name);

private:
    struct CEntry {
        CCustomField field;
        int original = -1; // position in the library's list, -1 for a new field
    };

    std::vector<CEntry> m_entries;
    int m_storedCount = 0;
    bool m_edited = false;
};
