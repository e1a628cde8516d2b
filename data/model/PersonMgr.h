#pragma once
// The persons (borrowers) shared by all libraries, process-wide, in insertion
// order, with ids never reused while the manager lives.

#include "platform/util/VemoTypes.h"

class CArchive;
class CPerson;

class CPersonMgr {
public:
    // Created empty on first use; null only when it cannot be created.
    static CPersonMgr* GetInstance();
    // Destroys the instance and its records; a later GetInstance starts afresh.
    static void DeleteInstance();

    CPersonMgr(const CPersonMgr&) = delete;
    CPersonMgr& operator=(const CPersonMgr&) = delete;
    ~CPersonMgr();

    int GetCount() const { return static_cast<int>(m_persons.GetCount()); }
    POSITION GetHeadPosition() const { return m_persons.GetHeadPosition(); }
    CPerson* GetNext(POSITION& pos) const { return m_persons.GetNext(pos); }
    int GetNextID() const { return m_nextID; }

    // Null for an id below 1, not below the next id, or not mapped.
    CPerson* GetPerson(int id) const;
    // Null when all three parts are empty; else the first person whose three
    // parts equal these ignoring case; else with create a new one (next id).
    CPerson* GetPerson(const CString& first, const CString& middle, const CString& last, bool create);

    // Refuses null and a person equal (CPerson::operator==) to a listed one;
    // otherwise appends, gives the next id and takes ownership.
    bool Add(CPerson* person);
    // Unmaps, unlinks and destroys; false for null or a person not listed.
    bool Remove(CPerson* person);
    // Appends FormName(true) of every person in list order.
    void GetNames(CStringList& names) const;

    // Block: version word (1), next id, count, CPerson records. Loading adds
    // to what is held (a repeated id maps to the later record).
    void Serialize(CArchive& ar);

private:
    CPersonMgr() = default;

    int m_nextID = 1;
    CList<CPerson*, CPerson*> m_persons;
    CMap<int, int, CPerson*, CPerson*> m_idMap;
};
