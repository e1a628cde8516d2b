#pragma once
// A manager window's working copy of one of the shared lists (persons,
// publishers, magazine titles): records are added, changed and deleted
// here, two equal records (by the record's own operator==) are never
// listed, and Apply hands the result to the list when OK is pressed.
// TRecord is CPerson or CMagazine; TMgr its manager.

#include <memory>
#include <vector>

#include "platform/util/VemoTypes.h"

template <class TRecord> class CSharedListEditor {
public:
    template <class TMgr> explicit CSharedListEditor(const TMgr* mgr)
    {
        if (!mgr)
            return;
        for (POSITION pos = mgr->GetHeadPosition(); pos;)
            if (const TRecord* record = mgr->GetNext(pos))
                m_entries.push_back({ std::make_unique<TRecord>(*record), record->GetUniqueID(), false });
    }

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const TRecord& GetAt(int index) const { return *m_entries.at(static_cast<std::size_t>(index)).record; }
    // The record's id in the list, 0 for one added here.
    int GetIDAt(int index) const { return m_entries.at(static_cast<std::size_t>(index)).id; }
    // The position of the listed record with id, -1 when none.
    int IndexOfID(int id) const
    {
        for (int i = 0; id > 0 && i < GetCount(); ++i)
            if (GetIDAt(i) == id)
                return i;
        return -1;
    }
    // The position of a record equal to record other than except, -1 when none.
    int FindEqual(const TRecord& record, int except = -1) const
    {
        for (int i = 0; i < GetCount(); ++i)
            if (i != except && GetAt(i) == record)
                return i;
        return -1;
    }

    // Each refuses (false) a record equal to another one listed.
    bool Add(const TRecord& record)
    {
        if (FindEqual(record) >= 0)
            return false;
        m_entries.push_back({ std::make_unique<TRecord>(record), 0, true });
        m_edited = true;
        return true;
    }
    bool Replace(int index, const TRecord& record)
    {
        if (index < 0 || index >= GetCount() || FindEqual(record, index) >= 0)
            return false;
        CEntry& entry = m_entries[static_cast<std::size_t>(index)];
        *entry.record = record;
        entry.record->SetUniqueID(entry.id);
        entry.changed = true;
        m_edited = true;
        return true;
    }
    bool Remove(int index)
    {
        if (index < 0 || index >= GetCount())
            return false;
        if (m_entries[static_cast<std::size_t>(index)].id > 0)
            m_deleted.push_back(m_entries[static_cast<std::size_t>(index)].id);
        m_entries.erase(m_entries.begin() + index);
        m_edited = true;
        return true;
    }

    bool IsChanged() const { return m_edited; }

    // Removes the deleted records, changes the changed ones and adds the
    // new ones (in their order); find(mgr, id) looks a record up by id.
    // ids receives, per position, the id each record has afterwards (0
    // for one the list refused).
    template <class TMgr, class TFind> void Apply(TMgr& mgr, TFind find, std::vector<int>& ids) const
    {
        for (int id : m_deleted)
            if (TRecord* record = find(mgr, id))
                mgr.Remove(record);
        ids.clear();
        for (const CEntry& entry : m_entries) {
            if (entry.id > 0) {
                if (TRecord* record = find(mgr, entry.id); record && entry.changed) {
                    *record = *entry.record;
                    record->SetUniqueID(entry.id);
                }
                ids.push_back(entry.id);
                continue;
            }
            auto added = std::make_unique<TRecord>(*entry.record);
            if (!mgr.Add(added.get())) {
                // Refused as equal to a record of the list: none is added.
                ids.push_back(0);
                continue;
            }
            ids.push_back(added.release()->GetUniqueID());
        }
    }

private:
    struct CEntry {
        std::unique_ptr<TRecord> record;
        int id = 0;
        bool changed = false;
    };

    std::vector<CEntry> m_entries;
    std::vector<int> m_deleted;
    bool m_edited = false;
};
