#include "data/session/SharedLists.h"

#include <algorithm>
#include <functional>
#include <set>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/model/RecordList.h"
#include "data/store/Library.h"
#include "data/store/LibrarySnapshot.h"
#include "platform/util/Archive.h"

namespace {

template <class Manager, class T> CSharedLists::Block<T> Capture(const Manager* manager)
{
    CSharedLists::Block<T> block;
    if (!manager)
        return block;
    block.nextID = manager->GetNextID();
    for (POSITION pos = manager->GetHeadPosition(); pos;)
        block.records.push_back(*manager->GetNext(pos));
    return block;
}

template <class T> void Store(CArchive& ar, const CSharedLists::Block<T>& block)
{
    std::vector<T> copies = block.records;
    CList<T*, T*> list;
    for (T& record : copies)
        list.AddTail(&record);
    RecordList::Store(ar, list, block.nextID);
}

template <class T> std::string RecordBytes(const T& record)
{
    T copy = record;
    CArchive out;
    copy.Serialize(out);
    return out.GetBuffer();
}

template <class T>
CSharedLists::Block<T> MergeBlock(const CSharedLists::Block<T>& base, const CSharedLists::Block<T>& ours,
    const CSharedLists::Block<T>& theirs, const std::function<void(T&)>& followMoves, std::map<int, int>& moves)
{
    std::map<int, std::string> baseBytes;
    for (const T& record : base.records)
        baseBytes[record.GetUniqueID()] = RecordBytes(record);
    std::map<int, const T*> ourRecords;
    for (const T& record : ours.records)
        ourRecords[record.GetUniqueID()] = &record;
    std::map<int, const T*> theirRecords;
    for (const T& record : theirs.records)
        theirRecords[record.GetUniqueID()] = &record;
    // Whether ours changed the record since base (an addition counts).
    auto changedByUs = [&](const T& record) {
        auto it = baseBytes.find(record.GetUniqueID());
        return it == baseBytes.end() || it->second != RecordBytes(record);
    };
    auto mine = [&](const T& record) {
        T copy = record;
        followMoves(copy);
        return copy;
    };

    CSharedLists::Block<T> merged;
    for (const T& record : theirs.records) {
        const int id = record.GetUniqueID();
        const auto our = ourRecords.find(id);
        const bool inBase = baseBytes.count(id) != 0;
        if (inBase && our == ourRecords.end())
            continue; // removed by us
        if (inBase && changedByUs(*our->second))
            merged.records.push_back(mine(*our->second));
        else
            merged.records.push_back(record);
    }

    int nextID = std::max(theirs.nextID, ours.nextID);
    for (const T& record : ours.records) {
        const int id = record.GetUniqueID();
        const bool inBase = baseBytes.count(id) != 0;
        const auto their = theirRecords.find(id);
        if (inBase) {
            // Placed above, or removed by them: our change keeps it.
            if (their == theirRecords.end() && changedByUs(record))
                merged.records.push_back(mine(record));
            continue;
        }
        if (their != theirRecords.end() && RecordBytes(*their->second) == RecordBytes(record))
            continue; // the same record came to both (read from the file since)
        T added = mine(record);
        const auto same = std::find_if(
            merged.records.begin(), merged.records.end(), [&](const T& listed) { return listed == added; });
        if (same != merged.records.end()) {
            if (same->GetUniqueID() != id)
                moves[id] = same->GetUniqueID();
            continue;
        }
        // Ids below their counter may have been handed out there.
        if (id < theirs.nextID) {
            moves[id] = nextID;
            added.SetUniqueID(nextID++);
        }
        merged.records.push_back(added);
    }

    std::int64_t highest = 0;
    for (const T& record : merged.records)
        highest = std::max<std::int64_t>(highest, record.GetUniqueID());
    merged.nextID = RecordList::NextIDAfterLoad(nextID, highest);
    return merged;
}

template <class T> std::function<void(T&)> NoMoves()
{
    return [](T&) {};
}

int Moved(const std::map<int, int>& moves, int id)
{
    const auto it = moves.find(id);
    return it == moves.end() ? id : it->second;
}

} // namespace

CSharedLists CSharedLists::FromManagers()
{
    CSharedLists lists;
    lists.publishers = Capture<CPublisherMgr, CPerson>(CPublisherMgr::GetInstance());
    lists.persons = Capture<CPersonMgr, CPerson>(CPersonMgr::GetInstance());
    lists.magazines = Capture<CMagazineMgr, CMagazine>(CMagazineMgr::GetInstance());
    return lists;
}

CSharedLists CSharedLists::FromBytes(const std::string& bytes)
{
    if (bytes.empty())
        return CSharedLists();
    CLibrarySnapshot::RestoreShared(bytes);
    return FromManagers();
}

std::string CSharedLists::ToBytes() const
{
    CArchive out;
    out.SerializeVersion(1);
    Store(out, publishers);
    Store(out, persons);
    Store(out, magazines);
    return out.GetBuffer();
}

CSharedLists CSharedLists::Merge(
    const CSharedLists& base, const CSharedLists& ours, const CSharedLists& theirs, IdMoves& moves)
{
    moves = IdMoves();
    CSharedLists merged;
    merged.publishers
        = MergeBlock(base.publishers, ours.publishers, theirs.publishers, NoMoves<CPerson>(), moves.publishers);
    merged.persons = MergeBlock(base.persons, ours.persons, theirs.persons, NoMoves<CPerson>(), moves.persons);
    const std::map<int, int>& publisherMoves = moves.publishers;
    merged.magazines = MergeBlock<CMagazine>(
        base.magazines, ours.magazines, theirs.magazines,
        [&](CMagazine& magazine) { magazine.SetPublisherID(Moved(publisherMoves, magazine.GetPublisherID())); },
        moves.magazines);
    return merged;
}

bool CSharedLists::MoveReferences(CLibrary& library, const IdMoves& moves)
{
    if (moves.IsEmpty())
        return false;
    bool changed = false;
    auto follow = [&](const std::map<int, int>& list, int id, const std::function<void(int)>& set) {
        const int moved = Moved(list, id);
        if (moved != id) {
            set(moved);
            changed = true;
        }
    };
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        for (POSITION pos = library.GetHeadItem(type); pos;) {
            CMediaItem* item = library.GetNextItem(type, pos);
            if (!item)
                continue;
            if (item->UsesPublisher() && item->GetPublisherID() > 0)
                follow(moves.publishers, item->GetPublisherID(), [&](int id) { item->SetPublisherID(id); });
            if (auto* issue = dynamic_cast<CMagazineIssue*>(item); issue && issue->GetMagazineID() > 0)
                follow(moves.magazines, issue->GetMagazineID(), [&](int id) { issue->SetMagazineID(id); });
            if (const CCheckOut* checkOut = item->PeekCheckOut())
                for (int i = 0; i < checkOut->GetEntryCount(); ++i)
                    if (CCheckOutState* entry = checkOut->GetEntryAt(i); entry && entry->GetPersonID() > 0)
                        follow(moves.persons, entry->GetPersonID(), [&](int id) { entry->SetPersonID(id); });
        }
    }
    return changed;
}
