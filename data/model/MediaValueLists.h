#pragma once
// The name lists that views offer for completion, gathered from the items.
// The library points at the lists it rebuilds (any may stay null), clears
// them, lets every item add its values, and removes duplicates itself.

#include "platform/util/VemoTypes.h"

class CMediaItem;

class CMediaValueLists {
public:
    CStringList* m_artists = nullptr;
    CStringList* m_actors = nullptr;
    CStringList* m_directors = nullptr;
    CStringList* m_authors = nullptr;
    CStringList* m_locations = nullptr;
    CStringList* m_manufacturers = nullptr;
    // The sheet-music lists.
    CStringList* m_composers = nullptr;
    CStringList* m_arrangers = nullptr;
    CStringList* m_wordsBy = nullptr;
    CStringList* m_musicBy = nullptr;
    CStringList* m_instrumentations = nullptr;

    // Appends the item's values that are not effectively empty to the lists
    // that are set: its location; the artist of audio media; lead actor and
    // co-star (actors) and director of video media; the manufacturer of
    // recordable media; author and co-author of books and the authors of
    // magazine articles; the five sheet-music names. Null is ignored.
    void AddValues(const CMediaItem* item) const;

private:
    static void Add(CStringList* list, const CString& value);
};
