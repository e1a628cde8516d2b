#pragma once
// An item's custom values, indexed by field position; any slot may be empty.

#include "platform/util/VemoTypes.h"

class CArchive;
class CCustomValue;

// One per item that has categories: pool memory, like the values it holds.
class CCustomValueMgr : public CPooledObject {
public:
    CCustomValueMgr() = default;
    // Deep copies; empty slots kept.
    CCustomValueMgr(const CCustomValueMgr& source);
    CCustomValueMgr& operator=(const CCustomValueMgr& source);
    // Destroys all values.
    ~CCustomValueMgr();

    // Same number of slots; the values themselves are not compared.
    bool operator==(const CCustomValueMgr& other) const;

    // Slots, empty ones included.
    int GetValueCount() const { return static_cast<int>(m_values.size()); }
    // Null when out of range or empty.
    CCustomValue* GetValueAt(int index) const
    {
        return index >= 0 && index < GetValueCount() ? m_values[static_cast<std::size_t>(index)] : nullptr;
    }
    // Stores value at index (growing with empty slots) and takes ownership.
    // When the slot already holds a value, that one is assigned from value,
    // value is destroyed and the caller's pointer set to the stored one.
    // Null is ignored; so is a negative index (the caller keeps ownership).
    void SetAt(int index, CCustomValue*& value);
    // Removes the slot (later slots move down) and destroys the value;
    // unknown or null is ignored.
    void Delete(CCustomValue* value);

    // Block: version word (1), slot count n, then per slot its index (32-bit)
    // and the value record, or -1 alone when empty. Loading replaces all.
    void Serialize(CArchive& ar);

protected:
    void ClearAll();

private:
    // A plain vector (CArray adds a table pointer): most items have a
    // manager of their own, and at 24 bytes it takes a smaller heap block.
    CPooledVector<CCustomValue*> m_values;
};
