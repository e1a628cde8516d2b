#pragma once
// Reading and writing single fields through property maps, with the rules
// every item shares: GetData answers only keys the caller put in the map, and
// SetData with overwrite false (an import merging into an existing item) only
// fills fields that are still empty, zero or false.

#include <array>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/util/VemoTypes.h"

// Quick look-ups into one property map that is filled over and over (a
// writer asking every item for the same keys): the keys the item classes
// ask with are mostly the same objects each time, so each key object's
// answer is remembered by its address, and checked against its text before
// it is used (a temporary may reuse an address). While a CUse is open on
// this thread, the map's keys must not be added or removed; values may be.
class CPropMapIndex {
public:
    explicit CPropMapIndex(CMapStringToString& data)
        : m_data(data)
    {
    }
    CPropMapIndex(const CPropMapIndex&) = delete;
    CPropMapIndex& operator=(const CPropMapIndex&) = delete;

    // Look-ups of the map on this thread go through the index while it lives.
    class CUse {
    public:
        explicit CUse(CPropMapIndex& index);
        ~CUse();
        CUse(const CUse&) = delete;
        CUse& operator=(const CUse&) = delete;

    private:
        CPropMapIndex* m_previous;
    };

    // The value of key in data, or null; data's own look-up unless an index
    // of data is in use on this thread.
    static CString* Find(CMapStringToString& data, const CString& key);

    // A sub-item answers after its medium. A writer asking many sub-items
    // of one medium may put the medium's answers into the map once and say
    // so here: while an index of data in use on this thread holds them, the
    // sub-items give only their own.
    void SetOwnerAnswered(bool answered) { m_ownerAnswered = answered; }
    static bool OwnerAnswered(const CMapStringToString& data);

    // Values of data in the order a writer wants them: from now on the
    // index notes which of them it hands out, so that the writer need not
    // look at the others. Values set past the index are not noted.
    void Track(std::vector<CString*> order);
    // Notes the value at position of the order as handed out.
    void MarkAnswered(std::size_t position) { m_answered[position / 64] |= std::uint64_t { 1 } << (position % 64); }
    // Calls each(position) for the values handed out since the last call,
    // in the order's order, and forgets them.
    template <class F> void TakeAnswered(F each)
    {
        for (std::size_t word = 0; word < m_answered.size(); ++word)
            for (std::uint64_t bits = std::exchange(m_answered[word], 0); bits != 0; bits &= bits - 1)
                each(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }

private:
    struct CEntry {
        const CString* address = nullptr;
        CString key;
        CString* value = nullptr; // null: the map lacks key
        int position = -1; // in m_order; -1 where not tracked
    };
    CString* Lookup(const CString& key);

    CMapStringToString& m_data;
    bool m_ownerAnswered = false;
    std::vector<CString*> m_order;
    std::vector<std::uint64_t> m_answered;
    std::array<CEntry, 256> m_entries;
};

// Quick look-ups for the Take* side, while one map is filled anew for each
// of many items (an import, row by row) and only ever holds keys from a set
// known beforehand (the columns' properties): an item class asking for a key
// outside the set is answered without searching the map, and a key inside
// it finds its value where the filler put it. The filler clears the values
// before it refills the map and sets each value it puts there; while a CUse
// is open on this thread, the map must change in no other way.
class CPropMapKeys {
public:
    // keys: every key data may hold while the index is in use.
    CPropMapKeys(const CMapStringToString& data, const CStringArray& keys);
    CPropMapKeys(const CPropMapKeys&) = delete;
    CPropMapKeys& operator=(const CPropMapKeys&) = delete;

    // The slot of key, -1 for a key outside the set.
    int Slot(const CString& key) const;
    // The map is empty again.
    void Clear();
    // The map now holds value (its own) at the key of slot.
    void Set(int slot, const CString* value) { m_values[static_cast<std::size_t>(slot)] = value; }

    // Look-ups of the map on this thread go through the index while it lives.
    class CUse {
    public:
        explicit CUse(CPropMapKeys& keys);
        ~CUse();
        CUse(const CUse&) = delete;
        CUse& operator=(const CUse&) = delete;

    private:
        CPropMapKeys* m_previous;
    };

    // The value of key in data, or null; data's own look-up unless an index
    // of data is in use on this thread.
    static const CString* Find(const CMapStringToString& data, const CString& key);

private:
    struct CEntry {
        const CString* address = nullptr;
        CString key;
        int slot = -1;
    };
    const CString* Lookup(const CString& key);

    const CMapStringToString& m_data;
    std::vector<CString> m_keys;
    std::vector<const CString*> m_values; // by slot; null: the map lacks the key
    std::array<CEntry, 128> m_entries;
};

class CPropMapUtils {
public:
    // Replace the value of key when the map holds it; never add a key.
    static void Answer(CMapStringToString& data, const CString& key, const CString& value);
    // Plain decimal; "" when blankZero and the value is 0.
    static void AnswerInt(CMapStringToString& data, const CString& key, int value, bool blankZero = false);
    // Decimal with digit grouping, as item counts are shown.
    static void AnswerCount(CMapStringToString& data, const CString& key, int count);
    // "Y" or "N".
    static void AnswerBool(CMapStringToString& data, const CString& key, bool value);

    // Each Take* changes the field only when the map holds key and either
    // overwrite is true or the field is still unset; returns whether it did.
    static bool TakeText(const CMapStringToString& data, const CString& key, CString& field, bool overwrite);
    // The number of the text (digits with "," grouping and a "." fraction,
    // which is dropped), clamped to minValue..maxValue.
    static bool TakeInt(
        const CMapStringToString& data, const CString& key, int& field, bool overwrite, int minValue, int maxValue);
    // True when the text holds any of "Yy1Tt" (CMediaUtils::IsYes).
    static bool TakeBool(const CMapStringToString& data, const CString& key, bool& field, bool overwrite);

    // The whole number a text stands for, clamped; 0 clamped for no digits.
    static int ParseInt(const CString& text, int minValue, int maxValue);
};
