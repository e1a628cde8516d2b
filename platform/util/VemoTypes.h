#pragma once
// The value types every layer shares: UTF-8 text, and the list, array and map
// containers with the operations (and names) the rest of the code uses.
//
// CList is a doubly linked list whose positions (POSITION) are opaque node
// cursors: a position stays valid until its own node is removed, so lists
// can be walked while other entries are inserted or taken out.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/util/SmallObjectPool.h"

using CString = std::string;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT_PTR = std::ptrdiff_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

struct VemoPositionTag;
using POSITION = VemoPositionTag*;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
    // A node per element, a hundred thousand in a large library's item
    // list: pool memory, without malloc's header.
    struct CNode : CPooledObject {
        CNode* pNext = nullptr;
        CNode* pPrev = nullptr;
        TYPE data;
        explicit CNode(ARG_TYPE value) : data(value) {}
    };

public:
    explicit CList(INT_PTR /*nBlockSize*/ = 10) {}
    CList(const CList& other) { AddTail(other); }
    CList(CList&& other) noexcept { Swap(other); }
    CList& operator=(const CList& other)
    {
        if (this != &other) {
            RemoveAll();
            AddTail(other);
        }
        return *this;
    }
    CList& operator=(CList&& other) noexcept
    {
        if (this != &other) {
            RemoveAll();
            Swap(other);
        }
        return *this;
    }
    virtual ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return m_head->data; }
    const TYPE& GetHead() const { return m_head->data; }
    TYPE& GetTail() { return m_tail->data; }
    const TYPE& GetTail() const { return m_tail->data; }

    POSITION GetHeadPosition() const { return ToPos(m_head); }
    POSITION GetTailPosition() const { return ToPos(m_tail); }

    // Returns the element at pos and advances pos (null after the tail).
    TYPE& GetNext(POSITION& pos)
    {
        CNode* node = ToNode(pos);
        pos = ToPos(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        CNode* node = ToNode(pos);
        pos = ToPos(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        CNode* node = ToNode(pos);
        pos = ToPos(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        CNode* node = ToNode(pos);
        pos = ToPos(node->pPrev);
        return node->data;
    }
    TYPE& GetAt(POSITION pos) { return ToNode(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return ToNode(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { ToNode(pos)->data = value; }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(GetHeadPosition(), value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(GetTailPosition(), value); }
    void AddTail(const CList& other)
    {
        for (CNode* n = other.m_head; n; n = n->pNext)
            AddTail(n->data);
    }
    void AddHead(const CList& other)
    {
        for (CNode* n = other.m_tail; n; n = n->pPrev)
            AddHead(n->data);
    }

    // Inserting before a null position adds at the head, after it at the tail.
    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        CNode* node = new CNode(value);
        CNode* at = ToNode(pos);
        if (!at)
            at = m_head;
        Link(node, at ? at->pPrev : nullptr, at);
        return ToPos(node);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        CNode* node = new CNode(value);
        CNode* at = ToNode(pos);
        if (!at)
            at = m_tail;
        Link(node, at, at ? at->pNext : nullptr);
        return ToPos(node);
    }

    TYPE RemoveHead()
    {
        TYPE value = m_head->data;
        RemoveAt(ToPos(m_head));
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = m_tail->data;
        RemoveAt(ToPos(m_tail));
        return value;
    }
    void RemoveAt(POSITION pos)
    {
        CNode* node = ToNode(pos);
        if (!node)
            return;
        Unlink(node);
        delete node;
    }
    void RemoveAll()
    {
        CNode* n = m_head;
        while (n) {
            CNode* next = n->pNext;
            delete n;
            n = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

    // Position of the first element equal to value, searching after startAfter.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        CNode* n = startAfter ? ToNode(startAfter)->pNext : m_head;
        for (; n; n = n->pNext)
            if (n->data == value)
                return ToPos(n);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        CNode* n = m_head;
        while (index-- > 0)
            n = n->pNext;
        return ToPos(n);
    }

    // Moves the node at pos to just before (or after) the node at target,
    // without copying the element; used by sorts that relink nodes.
    void MoveBefore(POSITION pos, POSITION target)
    {
        CNode* node = ToNode(pos);
        CNode* at = ToNode(target);
        if (!node || node == at)
            return;
        Unlink(node);
        if (!at)
            Link(node, m_tail, nullptr);
        else
            Link(node, at->pPrev, at);
    }
    // Appends every node of other (which is left empty) without copying.
    void SpliceTail(CList& other)
    {
        if (other.IsEmpty())
            return;
        if (!m_tail) {
            Swap(other);
            return;
        }
        m_tail->pNext = other.m_head;
        other.m_head->pPrev = m_tail;
        m_tail = other.m_tail;
        m_count += other.m_count;
        other.m_head = other.m_tail = nullptr;
        other.m_count = 0;
    }
    void Swap(CList& other) noexcept
    {
        std::swap(m_head, other.m_head);
        std::swap(m_tail, other.m_tail);
        std::swap(m_count, other.m_count);
    }

    // Standard iteration, so that range-based for loops work.
    template <class NodePtr, class Ref>
    class Iter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = TYPE;
        using difference_type = std::ptrdiff_t;
        using pointer = std::remove_reference_t<Ref>*;
        using reference = Ref;
        explicit Iter(NodePtr n = nullptr) : m_n(n) {}
        Ref operator*() const { return m_n->data; }
        pointer operator->() const { return &m_n->data; }
        Iter& operator++()
        {
            m_n = m_n->pNext;
            return *this;
        }
        Iter operator++(int)
        {
            Iter t = *this;
            m_n = m_n->pNext;
            return t;
        }
        bool operator==(const Iter& o) const { return m_n == o.m_n; }
        bool operator!=(const Iter& o) const { return m_n != o.m_n; }

    private:
        NodePtr m_n;
    };
    using iterator = Iter<CNode*, TYPE&>;
    using const_iterator = Iter<const CNode*, const TYPE&>;
    iterator begin() { return iterator(m_head); }
    iterator end() { return iterator(nullptr); }
    const_iterator begin() const { return const_iterator(m_head); }
    const_iterator end() const { return const_iterator(nullptr); }

private:
    static POSITION ToPos(CNode* n) { return reinterpret_cast<POSITION>(n); }
    static CNode* ToNode(POSITION p) { return reinterpret_cast<CNode*>(p); }

    void Link(CNode* node, CNode* prev, CNode* next)
    {
        node->pPrev = prev;
        node->pNext = next;
        if (prev)
            prev->pNext = node;
        else
            m_head = node;
        if (next)
            next->pPrev = node;
        else
            m_tail = node;
        ++m_count;
    }
    void Unlink(CNode* node)
    {
        if (node->pPrev)
            node->pPrev->pNext = node->pNext;
        else
            m_head = node->pNext;
        if (node->pNext)
            node->pNext->pPrev = node->pPrev;
        else
            m_tail = node->pPrev;
        node->pNext = node->pPrev = nullptr;
        --m_count;
    }

    CNode* m_head = nullptr;
    CNode* m_tail = nullptr;
    INT_PTR m_count = 0;
};

// A growable array with the index operations the code base uses.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public std::vector<TYPE> {
    using Base = std::vector<TYPE>;

public:
    using Base::Base;
    virtual ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(Base::size()); }
    INT_PTR GetCount() const { return static_cast<INT_PTR>(Base::size()); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return Base::empty(); }
    void SetSize(INT_PTR n) { Base::resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }
    void RemoveAll() { Base::clear(); }

    TYPE& GetAt(INT_PTR i) { return Base::at(static_cast<std::size_t>(i)); }
    const TYPE& GetAt(INT_PTR i) const { return Base::at(static_cast<std::size_t>(i)); }
    TYPE& ElementAt(INT_PTR i) { return Base::at(static_cast<std::size_t>(i)); }
    void SetAt(INT_PTR i, ARG_TYPE value) { Base::at(static_cast<std::size_t>(i)) = value; }
    // Sets element i, growing the array (with default elements) as needed.
    void SetAtGrow(INT_PTR i, ARG_TYPE value)
    {
        if (i >= GetSize())
            SetSize(i + 1);
        Base::at(static_cast<std::size_t>(i)) = value;
    }
    INT_PTR Add(ARG_TYPE value)
    {
        Base::push_back(value);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& other)
    {
        INT_PTR first = GetSize();
        Base::insert(Base::end(), other.begin(), other.end());
        return first;
    }
    void InsertAt(INT_PTR i, ARG_TYPE value, INT_PTR count = 1)
    {
        if (i > GetSize())
            SetSize(i);
        Base::insert(Base::begin() + i, static_cast<std::size_t>(count), value);
    }
    void RemoveAt(INT_PTR i, INT_PTR count = 1)
    {
        if (i < 0 || i >= GetSize() || count <= 0)
            return;
        INT_PTR last = std::min(GetSize(), i + count);
        Base::erase(Base::begin() + i, Base::begin() + last);
    }
};

// An ordered map (iteration follows the key order, so files written from
// maps are the same bytes every time).
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public std::map<KEY, VALUE> {
    using Base = std::map<KEY, VALUE>;

public:
    using Base::Base;
    virtual ~CMap() = default;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(Base::size()); }
    INT_PTR GetSize() const { return static_cast<INT_PTR>(Base::size()); }
    bool IsEmpty() const { return Base::empty(); }
    bool Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = Base::find(key);
        if (it == Base::end())
            return false;
        value = it->second;
        return true;
    }
    const VALUE* PLookup(ARG_KEY key) const
    {
        auto it = Base::find(key);
        return it == Base::end() ? nullptr : &it->second;
    }
    VALUE* PLookup(ARG_KEY key)
    {
        auto it = Base::find(key);
        return it == Base::end() ? nullptr : &it->second;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { Base::insert_or_assign(key, value); }
    bool RemoveKey(ARG_KEY key) { return Base::erase(key) > 0; }
    void RemoveAll() { Base::clear(); }
    bool Contains(ARG_KEY key) const { return Base::find(key) != Base::end(); }
    // Kept for call sites that size hash tables; an ordered map needs none.
    void InitHashTable(UINT /*size*/) {}
};

using CStringList = CList<CString, const CString&>;
using CStringArray = CArray<CString, const CString&>;
using CUIntArray = CArray<UINT, UINT>;
using CMapStringToString = CMap<CString, const CString&, CString, const CString&>;
