#pragma once
// The ordered custom field definitions of one media type; a field's position
// is the index of its values in every item of the type.

#include "platform/util/VemoTypes.h"

class CArchive;
class CCustomField;

class CCustomFieldMgr {
public:
    CCustomFieldMgr() = default;
    // Deep copies.
    CCustomFieldMgr(const CCustomFieldMgr& source);
    CCustomFieldMgr& operator=(const CCustomFieldMgr& source);
    // Destroys all fields.
    virtual ~CCustomFieldMgr();

    // Same count and fields equal (by name) at each position.
    bool operator==(const CCustomFieldMgr& other) const;

    int GetFieldCount() const { return static_cast<int>(m_fields.GetSize()); }
    // Null outside 0..count-1.
    CCustomField* GetFieldAt(int index) const
    {
        return index >= 0 && index < GetFieldCount() ? m_fields.GetAt(index) : nullptr;
    }
    // The field of that name (ignoring case and blanks around); null when none.
    CCustomField* Find(const CString& name) const;
    // Why name cannot name a field of this list (besides except, the field
    // being renamed): empty, a data property's name, or taken; "" when it can.
    CString CheckNewName(const CString& name, const CCustomField* except = nullptr) const;
    // Appends (null ignored, no duplicate check) and takes ownership.
    void Add(CCustomField* field);
    // Removes (later fields move down) and destroys; unknown or null ignored.
    void Delete(CCustomField* field);
    // Exchanges the positions of two listed fields; otherwise nothing.
    void SwapOrder(CCustomField* a, CCustomField* b);

    // Block: version word (1), count, the field records. Loading replaces
    // all fields.
    void Serialize(CArchive& ar);

protected:
    void ClearAll();

private:
    CArray<CCustomField*, CCustomField*> m_fields;
};
