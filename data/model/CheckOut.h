#pragma once
// The lending history of a media item: its reservations and loans, oldest
// returns first once sorted.

#include "platform/util/VemoTypes.h"

class CArchive;
class CCheckOutState;

class CCheckOut : public CPooledObject {
public:
    enum State {
        stateNone = 0, // available; also the state of a missing entry
        stateReserved = 1, // the reserved date is set
        stateCheckedOut = 2, // the checked-out date is set
        stateReturned = 3 // the returned date is set (tested first)
    };

    CCheckOut() = default;
    // The history is never copied: a copied item gets a fresh, empty one.
    CCheckOut(const CCheckOut&) = delete;
    CCheckOut& operator=(const CCheckOut&) = delete;
    // Takes other's entries (a history read on its own, given to its item).
    CCheckOut(CCheckOut&& other) noexcept { m_entries.swap(other.m_entries); }
    // Destroys all entries.
    virtual ~CCheckOut();

    int GetEntryCount() const { return static_cast<int>(m_entries.GetSize()); }
    // Null outside 0..count-1.
    CCheckOutState* GetEntryAt(int index) const
    {
        return index >= 0 && index < GetEntryCount() ? m_entries.GetAt(index) : nullptr;
    }
    // Appends without sorting (null ignored) and takes ownership.
    void Add(CCheckOutState* entry);
    // Removes (later entries move down) and destroys; unknown or null ignored.
    void Delete(CCheckOutState* entry);
    // Orders the entries by InternalSort when there are at least two.
    void Sort();

    // The first entry in array order that is reserved or checked out decides;
    // otherwise stateNone.
    State GetCurrentState() const;
    // "Reserved", "Checked-Out" or "Available".
    CString GetCurrentStateText() const;
    // Entries checked out or returned.
    int GetTimesCheckedOut() const;
    // When the current state is checked out, the first checked-out entry;
    // otherwise null.
    CCheckOutState* GetCheckedOutTo() const;
    // The first reserved entry whatever the current state; null without one.
    CCheckOutState* GetReservedTo() const;

    // Block: version word (1), count, the entry records. Loading appends.
    void Serialize(CArchive& ar);

protected:
    static State GetState(const CCheckOutState* entry);
    // -1/0/1 by CCheckOutState::operator< and operator==; null entries last.
    static int InternalSort(const CCheckOutState* a, const CCheckOutState* b);

private:
    CArray<CCheckOutState*, CCheckOutState*> m_entries;
};
