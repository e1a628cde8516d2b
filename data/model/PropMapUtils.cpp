#include "data/model/PropMapUtils.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "data/model/MediaUtils.h"
#include "platform/util/NumberTextConv.h"

namespace {

// The index in use on this thread; the libraries are loaded at start, so
// the cheap initial-exec model fits.
thread_local CPropMapIndex* t_index __attribute__((tls_model("initial-exec"))) = nullptr;
thread_local CPropMapKeys* t_keys __attribute__((tls_model("initial-exec"))) = nullptr;

std::uint64_t Word(const char* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Property names are short: compared eight bytes at a time (the last word
// overlapping the one before), which beats a call to memcmp.
bool SameText(const CString& a, const CString& b)
{
    const std::size_t size = a.size();
    if (size != b.size())
        return false;
    const char* p = a.data();
    const char* q = b.data();
    if (size < 8) {
        for (std::size_t i = 0; i < size; ++i)
            if (p[i] != q[i])
                return false;
        return true;
    }
    for (std::size_t i = 0; i + 8 < size; i += 8)
        if (Word(p + i) != Word(q + i))
            return false;
    return Word(p + size - 8) == Word(q + size - 8);
}

} // namespace

CPropMapIndex::CUse::CUse(CPropMapIndex& index)
    : m_previous(t_index)
{
    t_index = &index;
}

CPropMapIndex::CUse::~CUse()
{
    t_index = m_previous;
}

CString* CPropMapIndex::Find(CMapStringToString& data, const CString& key)
{
    CPropMapIndex* index = t_index;
    return index && &index->m_data == &data ? index->Lookup(key) : data.PLookup(key);
}

bool CPropMapIndex::OwnerAnswered(const CMapStringToString& data)
{
    const CPropMapIndex* index = t_index;
    return index && &index->m_data == &data && index->m_ownerAnswered;
}

CString* CPropMapIndex::Lookup(const CString& key)
{
    // Key objects lie side by side at least 32 bytes apart.
    const auto address = reinterpret_cast<std::uintptr_t>(&key);
    CEntry& entry = m_entries[((address >> 5) ^ (address >> 13)) % m_entries.size()];
    if (entry.address != &key || !SameText(entry.key, key)) {
        entry.address = &key;
        entry.key = key;
        entry.value = m_data.PLookup(key);
        const auto tracked = std::find(m_order.begin(), m_order.end(), entry.value);
        entry.position = entry.value && tracked != m_order.end() ? static_cast<int>(tracked - m_order.begin()) : -1;
    }
    if (entry.position >= 0)
        MarkAnswered(static_cast<std::size_t>(entry.position));
    return entry.value;
}

void CPropMapIndex::Track(std::vector<CString*> order)
{
    m_order = std::move(order);
    m_answered.assign((m_order.size() + 63) / 64, 0);
    for (CEntry& entry : m_entries)
        entry.address = nullptr;
}

void CPropMapUtils::Answer(CMapStringToString& data, const CString& key, const CString& value)
{
    if (CString* entry = CPropMapIndex::Find(data, key))
        *entry = value;
}

void CPropMapUtils::AnswerInt(CMapStringToString& data, const CString& key, int value, bool blankZero)
{
    if (CString* entry = CPropMapIndex::Find(data, key))
        *entry = (blankZero && value == 0) ? CString() : CNumberTextConv::NumberToString(value, 0, CString(), false);
}

void CPropMapUtils::AnswerCount(CMapStringToString& data, const CString& key, int count)
{
    if (CString* entry = CPropMapIndex::Find(data, key))
        *entry = CNumberTextConv::NumberToString(count, 0, CString(), true);
}

void CPropMapUtils::AnswerBool(CMapStringToString& data, const CString& key, bool value)
{
    if (CString* entry = CPropMapIndex::Find(data, key))
        *entry = value ? "Y" : "N";
}

CPropMapKeys::CPropMapKeys(const CMapStringToString& data, const CStringArray& keys)
    : m_data(data)
{
    for (const CString& key : keys)
        if (Slot(key) < 0)
            m_keys.push_back(key);
    m_values.assign(m_keys.size(), nullptr);
}

int CPropMapKeys::Slot(const CString& key) const
{
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        if (SameText(m_keys[i], key))
            return static_cast<int>(i);
    return -1;
}

void CPropMapKeys::Clear()
{
    std::fill(m_values.begin(), m_values.end(), nullptr);
}

CPropMapKeys::CUse::CUse(CPropMapKeys& keys)
    : m_previous(t_keys)
{
    t_keys = &keys;
}

CPropMapKeys::CUse::~CUse()
{
    t_keys = m_previous;
}

const CString* CPropMapKeys::Find(const CMapStringToString& data, const CString& key)
{
    CPropMapKeys* keys = t_keys;
    if (!keys || &keys->m_data != &data)
        return data.PLookup(key);
    const CString* value = keys->Lookup(key);
    assert(value == data.PLookup(key));
    return value;
}

const CString* CPropMapKeys::Lookup(const CString& key)
{
    // The item classes ask with the same key objects every time.
    const auto address = reinterpret_cast<std::uintptr_t>(&key);
    CEntry& entry = m_entries[((address >> 5) ^ (address >> 12)) % m_entries.size()];
    if (entry.address != &key || !SameText(entry.key, key)) {
        entry.address = &key;
        entry.key = key;
        entry.slot = Slot(key);
    }
    return entry.slot < 0 ? nullptr : m_values[static_cast<std::size_t>(entry.slot)];
}

bool CPropMapUtils::TakeText(const CMapStringToString& data, const CString& key, CString& field, bool overwrite)
{
    const CString* value = CPropMapKeys::Find(data, key);
    if (!value || (!overwrite && !field.empty()))
        return false;
    field = *value;
    return true;
}

bool CPropMapUtils::TakeInt(
    const CMapStringToString& data, const CString& key, int& field, bool overwrite, int minValue, int maxValue)
{
    const CString* value = CPropMapKeys::Find(data, key);
    if (!value || (!overwrite && field != 0))
        return false;
    field = ParseInt(*value, minValue, maxValue);
    return true;
}

bool CPropMapUtils::TakeBool(const CMapStringToString& data, const CString& key, bool& field, bool overwrite)
{
    const CString* value = CPropMapKeys::Find(data, key);
    if (!value || (!overwrite && field))
        return false;
    field = CMediaUtils::IsYes(*value);
    return true;
}

int CPropMapUtils::ParseInt(const CString& text, int minValue, int maxValue)
{
    double value = std::trunc(CNumberTextConv::GetDoubleFromString(text));
    if (std::isnan(value))
        value = 0.0;
    // Clamp as a double first: a huge text must not overflow the int.
    value = std::clamp(value, static_cast<double>(minValue), static_cast<double>(maxValue));
    return static_cast<int>(value);
}
