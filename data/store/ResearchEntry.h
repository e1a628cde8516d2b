#pragma once
// Named web links the user opens to look up information about an item.

#include "platform/util/VemoTypes.h"

class CArchive;

class CResearchEntry {
public:
    // Unique id 0 until an array adds the entry.
    explicit CResearchEntry(const CString& name = CString(), const CString& url = CString())
        : m_name(name)
        , m_url(url)
    {
    }
    CResearchEntry(const CResearchEntry&) = default;
    CResearchEntry& operator=(const CResearchEntry&) = default;
    ~CResearchEntry() = default;

    // Names equal ignoring case.
    bool operator==(const CResearchEntry& other) const;

    // Run-time id telling entries apart; never stored.
    int GetUniqueID() const { return m_uniqueID; }
    void SetUniqueID(int id) { m_uniqueID = id; }
    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    const CString& GetURL() const { return m_url; }
    void SetURL(const CString& url) { m_url = url; }

    // The six default entries, in creation order ("Movie Database", "Music
    // Database", "Gracenote Music", "The Internet Movie Database", a free CD
    // database, "Sheet Music Look-up (Duke University)"); the caller owns
    // the new entry, null when it cannot be made.
    static CResearchEntry* CreateDefaultEntry1();
    static CResearchEntry* CreateDefaultEntry2();
    static CResearchEntry* CreateDefaultEntry3();
    static CResearchEntry* CreateDefaultEntry4();
    static CResearchEntry* CreateDefaultEntry5();
    static CResearchEntry* CreateDefaultEntry6();

    // Record: version word (1), name, URL.
    void Serialize(CArchive& ar);

private:
    int m_uniqueID = 0;
    CString m_name;
    CString m_url;
};

// The library's research entries, owned, kept sorted by name ignoring case.
class CResearchEntryArray {
public:
    CResearchEntryArray() = default;
    CResearchEntryArray(const CResearchEntryArray&) = delete;
    CResearchEntryArray& operator=(const CResearchEntryArray&) = delete;
    // Destroys all entries.
    virtual ~CResearchEntryArray();

    int GetCount() const { return static_cast<int>(m_entries.GetSize()); }
    // Null outside 0..count-1.
    CResearchEntry* GetAt(int index) const
    {
        return index >= 0 && index < GetCount() ? m_entries.GetAt(index) : nullptr;
    }
    // Appends (null ignored), takes ownership, gives a pseudo-random unique
    // id (generator seeded with the time in seconds plus the new count) and
    // sorts.
    void Add(CResearchEntry* entry);
    // Adds the six default entries in order.
    void AddDefaultEntries();
    // Takes out the entry of that identity and destroys it; false when it is
    // not held.
    bool Remove(CResearchEntry* entry);
    void RemoveAll();
    // By name ignoring case; null entries last.
    void Sort();

    // Record: version word (1), count, the entry records. Loading replaces
    // all, sorts, then gives every entry a new unique id.
    void Serialize(CArchive& ar);

private:
    CArray<CResearchEntry*, CResearchEntry*> m_entries;
};
