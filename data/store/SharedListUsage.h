#pragma once
// How many things of the loaded library use each person, publisher and
// magazine title, counted in one pass over its items: the managers show the
// counts and say them before a record is deleted.

#include <unordered_map>

class CLibrary;

class CSharedListUsage {
public:
    // Counts nothing without a library.
    explicit CSharedListUsage(const CLibrary* library);

    // Items whose lending history names the person (reservations and
    // check-outs, returned ones included).
    int GetPersonUses(int personID) const { return Get(m_persons, personID); }
    // Items whose publisher it is.
    int GetPublisherUses(int publisherID) const { return Get(m_publishers, publisherID); }
    // Magazine issues of the title.
    int GetMagazineUses(int magazineID) const { return Get(m_magazines, magazineID); }

private:
    static int Get(const std::unordered_map<int, int>& counts, int id)
    {
        auto found = counts.find(id);
        return found == counts.end() ? 0 : found->second;
    }

    std::unordered_map<int, int> m_persons;
    std::unordered_map<int, int> m_publishers;
    std::unordered_map<int, int> m_magazines;
};
