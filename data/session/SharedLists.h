#pragma once
// The publishers, persons and magazine titles as plain records, and how the
// changes two processes made to them come together. Each process reads the
// shared data file, changes its own copy and later writes it back; the one
// that writes second merges its copy into what the file holds by then, so
// that neither loses the other's additions. Records are told apart by id;
// ids are handed out by each process on its own, so an addition whose id
// the other process took meanwhile gets a new id, and the library that
// refers to it follows.

#include <map>
#include <string>
#include <vector>

#include "data/model/Magazine.h"
#include "platform/util/Person.h"

class CLibrary;

class CSharedLists {
public:
    template <class T> struct Block {
        int nextID = 1;
        std::vector<T> records;
    };
    // Old id to new id, per list.
    struct IdMoves {
        std::map<int, int> publishers;
        std::map<int, int> persons;
        std::map<int, int> magazines;
        bool IsEmpty() const { return publishers.empty() && persons.empty() && magazines.empty(); }
    };

    Block<CPerson> publishers;
    Block<CPerson> persons;
    Block<CMagazine> magazines;

    // What the process-wide managers hold now.
    static CSharedLists FromManagers();
    // What the bytes of a shared data file hold ("" holds empty lists).
    // Reads through the managers, which hold the bytes afterwards; throws
    // CArchiveException for bytes that are no shared data file.
    static CSharedLists FromBytes(const std::string& bytes);
    // The shared data file's bytes for these lists.
    std::string ToBytes() const;

    // The lists after ours and theirs, both changed from base, come
    // together. Each record keeps the change of the side that made one (of
    // ours when both did); a record one side removed and the other left
    // alone goes. Additions of both are kept, theirs first: one of ours
    // equal to one of theirs (by the lists' own rule of sameness) becomes
    // theirs, and one whose id theirs may have handed out gets a new id.
    // moves lists the ids of ours that changed; the magazine titles of ours
    // follow the moved publisher ids already.
    static CSharedLists Merge(
        const CSharedLists& base, const CSharedLists& ours, const CSharedLists& theirs, IdMoves& moves);

    // Points every item of the library that refers to a moved id at the new
    // one; true when any item changed.
    static bool MoveReferences(CLibrary& library, const IdMoves& moves);
};
