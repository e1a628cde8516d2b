#pragma once
// The bookkeeping the category, person, publisher and magazine lists share:
// an owning list in insertion order, a map from id to record, and a next-id
// counter that never hands out an id twice.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

#include "platform/util/Archive.h"
#include "platform/util/VemoTypes.h"

namespace RecordList {

// The counter after a load: the stored next id, but never at or below an id
// already held, so a damaged counter cannot make a list hand out an id twice.
inline int NextIDAfterLoad(int storedNextID, std::int64_t highestHeldID)
{
    const std::int64_t next = std::max<std::int64_t>({ 1, storedNextID, highestHeldID + 1 });
    return static_cast<int>(std::min<std::int64_t>(next, INT_MAX));
}

template <class T> T* FindByID(const CMap<int, int, T*, T*>& idMap, int nextID, int id)
{
    if (id < 1 || id >= nextID)
        return nullptr;
    T* record = nullptr;
    return idMap.Lookup(id, record) ? record : nullptr;
}

// Appends record with the next id and takes ownership. Refuses a record
// already listed (it would be destroyed twice) and a counter at its end.
template <class T> bool Append(CList<T*, T*>& list, CMap<int, int, T*, T*>& idMap, int& nextID, T* record)
{
    if (!record || list.Find(record) || nextID >= INT_MAX)
        return false;
    idMap.SetAt(nextID, record);
    try {
        list.AddTail(record);
    } catch (...) {
        idMap.RemoveKey(nextID);
        throw;
    }
    record->SetUniqueID(nextID++);
    return true;
}

// Unmaps, unlinks and destroys; false when the record is not listed.
template <class T> bool Remove(CList<T*, T*>& list, CMap<int, int, T*, T*>& idMap, T* record)
{
    if (!record)
        return false;
    T* mapped = nullptr;
    // After a load with a repeated id the map may name another record.
    if (idMap.Lookup(record->GetUniqueID(), mapped) && mapped == record)
        idMap.RemoveKey(record->GetUniqueID());
    POSITION pos = list.Find(record);
    if (!pos)
        return false;
    list.RemoveAt(pos);
    delete record;
    return true;
}

template <class T> void DestroyAll(CList<T*, T*>& list, CMap<int, int, T*, T*>& idMap)
{
    for (T* record : list)
        delete record;
    list.RemoveAll();
    idMap.RemoveAll();
}

template <class T> void Store(CArchive& ar, const CList<T*, T*>& list, int nextID)
{
    ar.WriteWord(1);
    ar.WriteInt(nextID);
    ar.WriteInt(static_cast<std::int32_t>(list.GetCount()));
    for (T* record : list)
        record->Serialize(ar);
}

// Reads the records of a block (after its version word and next id) and
// adds them to what is held. Each record is read whole into its own object
// before it is listed; a repeated id maps to the later record. The counter
// ends at NextIDAfterLoad, also when the stream fails part-way.
template <class T, class MakeRecord>
void LoadRecords(CArchive& ar, CList<T*, T*>& list, CMap<int, int, T*, T*>& idMap, int& nextID, int storedNextID,
    std::size_t minRecordBytes, MakeRecord makeRecord)
{
    std::int64_t highestID = 0;
    for (T* record : list)
        highestID = std::max<std::int64_t>(highestID, record->GetUniqueID());
    try {
        const int count = ar.ReadCount(minRecordBytes);
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<T> record = makeRecord();
            record->Serialize(ar);
            const int id = record->GetUniqueID();
            list.AddTail(record.get());
            T* listed = record.release();
            highestID = std::max<std::int64_t>(highestID, id);
            idMap.SetAt(id, listed);
        }
    } catch (...) {
        nextID = NextIDAfterLoad(storedNextID, highestID);
        throw;
    }
    nextID = NextIDAfterLoad(storedNextID, highestID);
}

} // namespace RecordList
