#pragma once
// The publishers shared by all libraries, process-wide: person records whose
// last-name part holds the publisher name.

#include <unordered_map>

#include "platform/util/VemoTypes.h"

class CArchive;
class CPerson;

class CPublisherMgr {
public:
    // Created empty on first use; null only when it cannot be created.
    static CPublisherMgr* GetInstance();
    // Destroys the instance and its records; a later GetInstance starts afresh.
    static void DeleteInstance();

    CPublisherMgr(const CPublisherMgr&) = delete;
    CPublisherMgr& operator=(const CPublisherMgr&) = delete;
    ~CPublisherMgr();

    int GetCount() const { return static_cast<int>(m_publishers.GetCount()); }
    POSITION GetHeadPosition() const { return m_publishers.GetHeadPosition(); }
    CPerson* GetNext(POSITION& pos) const { return m_publishers.GetNext(pos); }
    int GetNextID() const { return m_nextID; }

    // Null for an id below 1, not below the next id, or not mapped.
    CPerson* GetPublisher(int id) const;
    // Null for ""; else the first publisher whose last-name part equals name
    // exactly; else with create a new one (next id).
    CPerson* GetPublisher(const CString& name, bool create);

    // While one lives, GetPublisher(name, ...) finds names through a hash
    // table of the list instead of reading the list (a large import asks for
    // a name per row). Nothing may rename a publisher meanwhile.
    class CNameIndex {
    public:
        explicit CNameIndex(CPublisherMgr* mgr); // null: none
        ~CNameIndex();
        CNameIndex(const CNameIndex&) = delete;
        CNameIndex& operator=(const CNameIndex&) = delete;

    private:
        CPublisherMgr* m_mgr;
    };

    // Refuses null and a record equal (CPerson::operator==) to a listed one;
    // otherwise appends, gives the next id and takes ownership.
    bool Add(CPerson* publisher);
    // Unmaps, unlinks and destroys; false for null or a record not listed.
    bool Remove(CPerson* publisher);
    // Appends the last-name part of every publisher in list order.
    void GetNames(CStringList& names) const;

    // Block: version word (1), next id, count, CPerson records. Loading adds
    // to what is held (a repeated id maps to the later record).
    void Serialize(CArchive& ar);

private:
    CPublisherMgr() = default;

    int m_nextID = 1;
    CList<CPerson*, CPerson*> m_publishers;
    CMap<int, int, CPerson*, CPerson*> m_idMap;
    // The first publisher of each name, while a CNameIndex lives; made
    // again when the list changed other than by GetPublisher.
    std::unordered_map<CString, CPerson*> m_names;
    int m_nameIndexes = 0;
    bool m_namesStale = true;
};
