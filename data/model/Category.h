#pragma once
// A category (genre) of a library, with the count of items using it.

#include "platform/util/VemoTypes.h"

class CArchive;

class CCategory {
public:
    // Id 0 and use count 0; name and description stored unchanged.
    explicit CCategory(const CString& name = CString(), const CString& description = CString())
        : m_name(name)
        , m_description(description)
    {
    }

    // The name of the none category (id 1): "<none>".
    static CString GetNoCategory() { return "<none>"; }

    int GetUniqueID() const { return m_uniqueID; }
    void SetUniqueID(int id) { m_uniqueID = id; }
    const CString& GetName() const { return m_name; }
    // Ignored for "" and "<none>" (exact comparison).
    void SetName(const CString& name)
    {
        if (!name.empty() && name != GetNoCategory())
            m_name = name;
    }
    const CString& GetDescription() const { return m_description; }
    void SetDescription(const CString& description) { m_description = description; }

    // Items using the category; kept by the items, never stored.
    int GetDepItems() const { return m_depItems; }
    void SetDepItems(int count) { m_depItems = count; }
    void IncreaseDepItemsCount() { ++m_depItems; }
    // Never below 0.
    void DecreaseDepItemsCount()
    {
        if (m_depItems > 0)
            --m_depItems;
    }

    // Names equal ignoring case.
    bool operator==(const CCategory& other) const;
    // Name order ignoring case.
    bool operator<(const CCategory& other) const;
    // Record: version word (1), unique id (32-bit), name, description.
    void Serialize(CArchive& ar);

private:
    int m_uniqueID = 0;
    int m_depItems = 0;
    CString m_name;
    CString m_description;
};
