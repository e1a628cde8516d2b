#include "data/model/ItemLists.h"

#include <algorithm>
#include <random>

namespace {

constexpr INT_PTR INSERTION_SORT_LIMIT = 10;

// A run of count nodes that follows the node at before (the list's head when
// before is null). Sorting relinks the nodes of the run only, so the nodes
// around it, and with them before, stay where they are.
struct CRun {
    POSITION before;
    INT_PTR count;
};

template <class List> POSITION FirstOf(const List& list, POSITION before)
{
    if (!before)
        return list.GetHeadPosition();
    list.GetNext(before);
    return before;
}

template <class List> POSITION Next(const List& list, POSITION pos)
{
    list.GetNext(pos);
    return pos;
}

int PivotIndex(INT_PTR count)
{
    static std::minstd_rand generator;
    std::uniform_int_distribution<INT_PTR> pick(0, count - 1);
    INT_PTR index = pick(generator);
    if (index < 2 || index > count - 2)
        index = 2;
    return static_cast<int>(index);
}

// Each node after the first is put before the first sorted node that it
// compares below; equal nodes therefore keep their order.
template <class List, class Compare> void InsertionSort(List& list, CRun run, Compare compare)
{
    if (run.count < 2)
        return;
    POSITION next = Next(list, FirstOf(list, run.before));
    for (INT_PTR sorted = 1; sorted < run.count; ++sorted) {
        POSITION node = next;
        next = Next(list, node);
        POSITION at = FirstOf(list, run.before);
        for (INT_PTR i = 0; i < sorted; ++i, at = Next(list, at)) {
            if (compare(list.GetAt(node), list.GetAt(at)) < 0) {
                list.MoveBefore(node, at);
                break;
            }
        }
    }
}

// Three-way quicksort: the run becomes less, the pivot and its equals, then
// greater, each part keeping its list order. The smaller part is sorted by
// recursion and the larger by the loop, so the depth stays logarithmic.
template <class List, class Compare> void QuickSort(List& list, CRun run, Compare compare)
{
    while (run.count >= INSERTION_SORT_LIMIT) {
        POSITION pivot = FirstOf(list, run.before);
        for (int i = PivotIndex(run.count); i > 0; --i)
            pivot = Next(list, pivot);

        POSITION first = FirstOf(list, run.before);
        POSITION node = first;
        if (pivot != first)
            list.MoveBefore(pivot, first);
        else
            node = Next(list, node);
        // Layout while walking: less, pivot, equal, greater, then the rest.
        POSITION lastEqual = pivot;
        INT_PTR less = 0;
        INT_PTR greater = 0;
        for (INT_PTR walked = 1; walked < run.count; ++walked) {
            POSITION current = node;
            node = Next(list, node);
            const int order = compare(list.GetAt(current), list.GetAt(pivot));
            if (order < 0) {
                list.MoveBefore(current, pivot);
                ++less;
            } else if (order == 0) {
                POSITION afterEqual = Next(list, lastEqual);
                if (afterEqual != current)
                    list.MoveBefore(current, afterEqual);
                lastEqual = current;
            } else {
                ++greater;
            }
        }

        CRun lessRun { run.before, less };
        CRun greaterRun { lastEqual, greater };
        CRun& smaller = less < greater ? lessRun : greaterRun;
        CRun& larger = less < greater ? greaterRun : lessRun;
        QuickSort(list, smaller, compare);
        run = larger;
    }
    InsertionSort(list, run, compare);
}

// Top-down merge sort of count elements, stable; it reads and writes only
// inside the two arrays whatever compare answers.
template <class T, class Compare> void MergeSort(T* items, T* buffer, std::size_t count, Compare compare)
{
    if (count < 2)
        return;
    const std::size_t half = count / 2;
    MergeSort(items, buffer, half, compare);
    MergeSort(items + half, buffer, count - half, compare);
    std::size_t left = 0;
    std::size_t right = half;
    std::size_t out = 0;
    while (left < half && right < count)
        buffer[out++] = compare(items[right], items[left]) < 0 ? items[right++] : items[left++];
    while (left < half)
        buffer[out++] = items[left++];
    while (right < count)
        buffer[out++] = items[right++];
    std::copy(buffer, buffer + count, items);
}

} // namespace

void CMediaItemList::Sort(CompareFunc compare)
{
    m_compare = compare;
    if (!compare || GetCount() < 2)
        return;
    if (GetCount() < INSERTION_SORT_LIMIT)
        DoInsertionSort(compare);
    else
        DoQuickSort(compare);
}

void CMediaItemList::DoQuickSort(CompareFunc compare)
{
    QuickSort(*this, CRun { nullptr, GetCount() }, compare);
}

void CMediaItemList::DoInsertionSort(CompareFunc compare)
{
    InsertionSort(*this, CRun { nullptr, GetCount() }, compare);
}

void CMediaSubItemList::Sort(CompareFunc compare)
{
    m_compare = compare;
    if (!compare || GetCount() < 2)
        return;
    if (GetCount() < INSERTION_SORT_LIMIT) {
        // Each element goes before the first sorted one that it compares below.
        for (std::size_t i = 1; i < m_items.size(); ++i) {
            for (std::size_t at = 0; at < i; ++at) {
                if (compare(m_items[i], m_items[at]) < 0) {
                    std::rotate(m_items.begin() + at, m_items.begin() + i, m_items.begin() + i + 1);
                    break;
                }
            }
        }
        return;
    }
    std::vector<CMediaSubItem*> buffer(m_items.size());
    MergeSort(m_items.data(), buffer.data(), m_items.size(), compare);
}
