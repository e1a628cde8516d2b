#pragma once
// The categories of the open library, process-wide: the none category first,
// then the user's, in insertion order, with ids never reused while it lives.

#include <functional>

#include "platform/util/VemoTypes.h"

class CArchive;
class CCategory;

class CCategoryMgr {
public:
    // Created on first use (with the none category, id 1); null only when it
    // cannot be created. DeleteInstance destroys it and its categories.
    static CCategoryMgr* GetInstance();
    static void DeleteInstance();

    CCategoryMgr(const CCategoryMgr&) = delete;
    CCategoryMgr& operator=(const CCategoryMgr&) = delete;
    ~CCategoryMgr();

    int GetCount() const { return static_cast<int>(m_categories.GetCount()); }
    POSITION GetHeadPosition() const { return m_categories.GetHeadPosition(); }
    CCategory* GetNext(POSITION& pos) const { return m_categories.GetNext(pos); }
    int GetNextID() const { return m_nextID; }

    // Null for an id below 1, not below the next id, or not mapped.
    CCategory* GetCategory(int id) const;
    // The first category of the list (named "<none>"); null when the list is empty.
    CCategory* GetCategoryNone() const;
    // "" and "<none>" give the none category; otherwise the first category of
    // that exact name, else with create a new one (empty description, next
    // id), else null.
    CCategory* GetCategory(const CString& name, bool create);

    // Appends, gives the next id (overwriting any) and takes ownership; false
    // only for null. The created hook is told the new id.
    bool Add(CCategory* category);
    // Told the id of every category that Add or a creating look-up makes
    // (not the none category of a fresh or loaded list), so that the open
    // library can enter it into its reports. It outlives DeleteInstance;
    // clearing takes it away only from the owner that set it.
    using CCreatedHook = std::function<void(int id)>;
    static void SetCreatedHook(const void* owner, CCreatedHook hook);
    static void ClearCreatedHook(const void* owner);
    // Unmaps, unlinks and destroys; false for null or a category not listed.
    bool Remove(CCategory* category);
    // Destroys every category (the none category too); the next id stays.
    void RemoveAll();
    // Creates the none category when the list is empty.
    void EnsureNoneCategory();

    // Use counts of the category with that id; unknown ids are ignored.
    void IncreaseUse(int id);
    void DecreaseUse(int id);

    // Block: version word (1), next id, count, the category records. Loading
    // replaces all categories (a repeated id maps to the later record) and
    // ensures the none category.
    void Serialize(CArchive& ar);

private:
    CCategoryMgr();
    bool Append(CCategory* category);

    int m_nextID = 1;
    CList<CCategory*, CCategory*> m_categories;
    CMap<int, int, CCategory*, CCategory*> m_idMap;
};
