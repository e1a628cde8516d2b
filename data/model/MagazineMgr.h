#pragma once
// The magazine titles shared by all libraries, process-wide, in insertion
// order, with ids never reused while the manager lives.

#include "platform/util/VemoTypes.h"

class CArchive;
class CMagazine;

class CMagazineMgr {
public:
    // Created empty on first use; null only when it cannot be created.
    static CMagazineMgr* GetInstance();
    // Destroys the instance and its records; a later GetInstance starts afresh.
    static void DeleteInstance();

    CMagazineMgr(const CMagazineMgr&) = delete;
    CMagazineMgr& operator=(const CMagazineMgr&) = delete;
    ~CMagazineMgr();

    int GetCount() const { return static_cast<int>(m_magazines.GetCount()); }
    POSITION GetHeadPosition() const { return m_magazines.GetHeadPosition(); }
    CMagazine* GetNext(POSITION& pos) const { return m_magazines.GetNext(pos); }
    int GetNextID() const { return m_nextID; }

    // Null for an id below 1, not below the next id, or not mapped.
    CMagazine* GetMagazine(int id) const;
    // Null for ""; else the first title of exactly that name; else with
    // create a new one (next id).
    CMagazine* GetMagazine(const CString& name, bool create);

    // Refuses null and a title whose name equals a listed one ignoring case;
    // otherwise appends, gives the next id and takes ownership.
    bool Add(CMagazine* magazine);
    // Unmaps, unlinks and destroys; false for null or a title not listed.
    bool Remove(CMagazine* magazine);
    // Appends every title's name in list order.
    void GetNames(CStringList& names) const;

    // Block: version word (1), next id, count, magazine records. Loading adds
    // to what is held (a repeated id maps to the later record); load the
    // publishers first.
    void Serialize(CArchive& ar);

private:
    CMagazineMgr() = default;

    int m_nextID = 1;
    CList<CMagazine*, CMagazine*> m_magazines;
    CMap<int, int, CMagazine*, CMagazine*> m_idMap;
};
