#include "data/model/CustomValueMgr.h"

#include <algorithm>
#include <memory>

#include "data/model/CustomValue.h"
#include "platform/util/Archive.h"

namespace {

// An empty slot is the 32-bit index -1 alone.
constexpr std::size_t kMinSlotBytes = 4;
constexpr std::int32_t kEmptySlot = -1;

} // namespace

CCustomValueMgr::CCustomValueMgr(const CCustomValueMgr& source)
{
    *this = source;
}

CCustomValueMgr& CCustomValueMgr::operator=(const CCustomValueMgr& source)
{
    if (this == &source)
        return *this;
    // Copies are made first, so a failed copy leaves this array as it was.
    CPooledVector<CCustomValue*> copies;
    try {
        copies.reserve(source.m_values.size());
        for (const CCustomValue* value : source.m_values) {
            auto copy = value ? std::make_unique<CCustomValue>(*value) : nullptr;
            copies.push_back(copy.get());
            copy.release();
        }
    } catch (...) {
        for (CCustomValue* copy : copies)
            delete copy;
        throw;
    }
    ClearAll();
    m_values.swap(copies);
    return *this;
}

CCustomValueMgr::~CCustomValueMgr()
{
    ClearAll();
}

bool CCustomValueMgr::operator==(const CCustomValueMgr& other) const
{
    return GetValueCount() == other.GetValueCount();
}

void CCustomValueMgr::SetAt(int index, CCustomValue*& value)
{
    if (!value || index < 0)
        return;
    if (index >= GetValueCount())
        m_values.resize(static_cast<std::size_t>(index) + 1);
    CCustomValue*& slot = m_values[static_cast<std::size_t>(index)];
    if (!slot) {
        slot = value;
        return;
    }
    if (slot == value)
        return;
    *slot = *value;
    delete value;
    value = slot;
}

void CCustomValueMgr::Delete(CCustomValue* value)
{
    if (!value)
        return;
    auto it = std::find(m_values.begin(), m_values.end(), value);
    if (it == m_values.end())
        return;
    m_values.erase(it);
    delete value;
}

void CCustomValueMgr::ClearAll()
{
    for (CCustomValue* value : m_values)
        delete value;
    m_values.clear();
}

void CCustomValueMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(GetValueCount());
        for (int i = 0; i < GetValueCount(); ++i) {
            CCustomValue* value = m_values[static_cast<std::size_t>(i)];
            if (value) {
                ar.WriteInt(i);
                value->Serialize(ar);
            } else {
                ar.WriteInt(kEmptySlot);
            }
        }
        return;
    }
    ar.ReadWord();
    ClearAll();
    const int count = ar.ReadCount(kMinSlotBytes);
    m_values.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::int32_t index = ar.ReadInt();
        if (index == kEmptySlot)
            continue;
        // A writer puts each value at its own slot; an index outside the array would make
        // a damaged file grow it without bound.
        if (index < 0 || index >= count)
            throw CArchiveException(CArchiveException::badFormat, "Custom value slot out of range");
        auto value = std::make_unique<CCustomValue>(CCustomValue::booleanValue);
        value->Serialize(ar);
        CCustomValue* read = value.release();
        SetAt(index, read);
    }
}
