#pragma once
// The pointer containers in which items are passed around. None of them owns
// the items it points to; destroying a container frees only its own nodes.

#include "platform/util/VemoTypes.h"

class CItem;
class CMediaItem;
class CMediaSubItem;

class CItemList : public CList<CItem*, CItem*> {
public:
    CItemList()
        : CList<CItem*, CItem*>(10)
    {
    }
};

class CMediaItemList : public CList<CMediaItem*, CMediaItem*> {
public:
    // Returns exactly -1, 0 or 1.
    using CompareFunc = int (*)(const CMediaItem*, const CMediaItem*);

    CMediaItemList()
        : CList<CMediaItem*, CMediaItem*>(10)
    {
    }

    // Stores compare and sorts in place by relinking nodes (insertion sort
    // below 10 elements, which keeps equal elements in order; three-way
    // quicksort from 10 on). Nothing is sorted for a null compare or fewer
    // than two elements.
    void Sort(CompareFunc compare);
    CompareFunc GetLastCompareFunc() const { return m_compare; }

protected:
    void DoQuickSort(CompareFunc compare);
    void DoInsertionSort(CompareFunc compare);

private:
    CompareFunc m_compare = nullptr;
};

// A medium's sub-items: a plain array, as a medium holds a handful and is
// read far more than it is changed. Positions are 1-based indexes, so a
// position moves with its element when an earlier one is inserted or removed:
// walk it only while the list is not changed.
class CMediaSubItemList {
public:
    // Returns exactly -1, 0 or 1.
    using CompareFunc = int (*)(const CMediaSubItem*, const CMediaSubItem*);
    using iterator = CPooledVector<CMediaSubItem*>::iterator;
    using const_iterator = CPooledVector<CMediaSubItem*>::const_iterator;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    void Reserve(INT_PTR count) { m_items.reserve(static_cast<std::size_t>(std::max<INT_PTR>(count, 0))); }

    CMediaSubItem* GetHead() const { return m_items.front(); }
    CMediaSubItem* GetTail() const { return m_items.back(); }
    POSITION GetHeadPosition() const { return IsEmpty() ? nullptr : ToPos(0); }
    POSITION GetTailPosition() const { return IsEmpty() ? nullptr : ToPos(m_items.size() - 1); }
    // The element at pos; pos moves to the next (null after the tail).
    CMediaSubItem* GetNext(POSITION& pos) const
    {
        const std::size_t at = ToIndex(pos);
        pos = at + 1 < m_items.size() ? ToPos(at + 1) : nullptr;
        return m_items[at];
    }
    CMediaSubItem* GetPrev(POSITION& pos) const
    {
        const std::size_t at = ToIndex(pos);
        pos = at > 0 ? ToPos(at - 1) : nullptr;
        return m_items[at];
    }
    CMediaSubItem* GetAt(POSITION pos) const { return m_items[ToIndex(pos)]; }
    CMediaSubItem* GetAtIndex(INT_PTR index) const { return m_items[static_cast<std::size_t>(index)]; }

    void AddTail(CMediaSubItem* item) { m_items.push_back(item); }
    void AddTail(const CMediaSubItemList& other)
    {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    // Before index (appended at or past the end, first below 0).
    void InsertAt(INT_PTR index, CMediaSubItem* item)
    {
        const auto at = static_cast<std::size_t>(std::clamp<INT_PTR>(index, 0, GetCount()));
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    }
    void RemoveAtIndex(INT_PTR index) { m_items.erase(m_items.begin() + index); }
    void RemoveAt(POSITION pos)
    {
        if (pos)
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(ToIndex(pos)));
    }
    CMediaSubItem* RemoveTail()
    {
        CMediaSubItem* item = m_items.back();
        m_items.pop_back();
        return item;
    }
    void RemoveAll() { m_items.clear(); }
    // Drops the null entries, keeping the order of the others.
    void RemoveNulls() { std::erase(m_items, nullptr); }

    // The index of item, or -1.
    INT_PTR IndexOf(const CMediaSubItem* item) const
    {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : it - m_items.begin();
    }
    POSITION Find(const CMediaSubItem* item) const
    {
        const INT_PTR at = IndexOf(item);
        return at < 0 ? nullptr : ToPos(static_cast<std::size_t>(at));
    }
    POSITION FindIndex(INT_PTR index) const
    {
        return index < 0 || index >= GetCount() ? nullptr : ToPos(static_cast<std::size_t>(index));
    }

    iterator begin() { return m_items.begin(); }
    iterator end() { return m_items.end(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

    // Stores compare and sorts stably (equal elements keep their order).
    // Any compare is safe, even one that is not a consistent order. Nothing
    // is sorted for a null compare or fewer than two elements.
    void Sort(CompareFunc compare);
    CompareFunc GetLastCompareFunc() const { return m_compare; }

private:
    static POSITION ToPos(std::size_t index) { return reinterpret_cast<POSITION>(index + 1); }
    static std::size_t ToIndex(POSITION pos) { return reinterpret_cast<std::size_t>(pos) - 1; }

    CPooledVector<CMediaSubItem*> m_items;
    CompareFunc m_compare = nullptr;
};

class CItemArray : public CArray<CItem*, CItem*> { };
