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

class CMediaSubItemList : public CList<CMediaSubItem*, CMediaSubItem*> {
public:
    // Returns exactly -1, 0 or 1.
    using CompareFunc = int (*)(const CMediaSubItem*, const CMediaSubItem*);

    CMediaSubItemList()
        : CList<CMediaSubItem*, CMediaSubItem*>(10)
    {
    }

    // Same sort as CMediaItemList::Sort.
    void Sort(CompareFunc compare);
    CompareFunc GetLastCompareFunc() const { return m_compare; }

protected:
    void DoQuickSort(CompareFunc compare);
    void DoInsertionSort(CompareFunc compare);

private:
    CompareFunc m_compare = nullptr;
};

class CItemArray : public CArray<CItem*, CItem*> { };
