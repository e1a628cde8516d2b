#include "data/model/CheckOut.h"

#include <algorithm>
#include <memory>

#include "data/model/CheckOutState.h"
#include "platform/util/Archive.h"

namespace {

// Version word, person id and four dates of 12 bytes.
constexpr std::size_t kMinEntryBytes = 2 + 4 + 4 * 12;

} // namespace

CCheckOut::~CCheckOut()
{
    for (CCheckOutState* entry : m_entries)
        delete entry;
}

void CCheckOut::Add(CCheckOutState* entry)
{
    // The same object twice would be destroyed twice.
    if (!entry || std::find(m_entries.begin(), m_entries.end(), entry) != m_entries.end())
        return;
    m_entries.Add(entry);
}

void CCheckOut::Delete(CCheckOutState* entry)
{
    if (!entry)
        return;
    auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    if (it == m_entries.end())
        return;
    m_entries.erase(it);
    delete entry;
}

void CCheckOut::Sort()
{
    if (GetEntryCount() < 2)
        return;
    // Insertion sort: the entry order is not a strict weak order in every case
    // (two checked-out entries each come "before" the other), which a library
    // sort may not survive; a history is only ever a handful of entries.
    for (std::size_t i = 1; i < m_entries.size(); ++i)
        for (std::size_t j = i; j > 0 && InternalSort(m_entries[j - 1], m_entries[j]) > 0; --j)
            std::swap(m_entries[j - 1], m_entries[j]);
}

CCheckOut::State CCheckOut::GetState(const CCheckOutState* entry)
{
    if (!entry)
        return stateNone;
    if (entry->GetReturnedDate().IsValid())
        return stateReturned;
    if (entry->GetCheckedOutDate().IsValid())
        return stateCheckedOut;
    if (entry->GetReservedDate().IsValid())
        return stateReserved;
    return stateNone;
}

int CCheckOut::InternalSort(const CCheckOutState* a, const CCheckOutState* b)
{
    if (!a)
        return 1;
    if (!b)
        return -1;
    if (*a < *b)
        return -1;
    if (*a == *b)
        return 0;
    return 1;
}

CCheckOut::State CCheckOut::GetCurrentState() const
{
    for (const CCheckOutState* entry : m_entries) {
        const State state = GetState(entry);
        if (state == stateReserved || state == stateCheckedOut)
            return state;
    }
    return stateNone;
}

CString CCheckOut::GetCurrentStateText() const
{
    switch (GetCurrentState()) {
    case stateReserved:
        return "Reserved";
    case stateCheckedOut:
        return "Checked-Out";
    default:
        return "Available";
    }
}

int CCheckOut::GetTimesCheckedOut() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const CCheckOutState* entry) {
        const State state = GetState(entry);
        return state == stateCheckedOut || state == stateReturned;
    }));
}

CCheckOutState* CCheckOut::GetCheckedOutTo() const
{
    if (GetCurrentState() != stateCheckedOut)
        return nullptr;
    for (CCheckOutState* entry : m_entries)
        if (GetState(entry) == stateCheckedOut)
            return entry;
    return nullptr;
}

CCheckOutState* CCheckOut::GetReservedTo() const
{
    for (CCheckOutState* entry : m_entries)
        if (GetState(entry) == stateReserved)
            return entry;
    return nullptr;
}

void CCheckOut::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(GetEntryCount());
        for (CCheckOutState* entry : m_entries)
            entry->Serialize(ar);
        return;
    }
    ar.ReadWord();
    const int count = ar.ReadCount(kMinEntryBytes);
    m_entries.reserve(m_entries.size() + static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<CCheckOutState>();
        entry->Serialize(ar);
        m_entries.Add(entry.get());
        entry.release();
    }
}
