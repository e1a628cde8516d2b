#pragma once
// One text of every item of a type, in the library's order: what the store
// tests compare after imports, sorts and renumbering.

#include <string>
#include <vector>

#include "data/model/MediaItem.h"
#include "data/store/Library.h"

template <class Get> std::vector<std::string> ItemTexts(CLibrary& library, int type, Get get)
{
    std::vector<std::string> texts;
    for (POSITION pos = library.GetHeadItem(type); pos;)
        texts.push_back(get(*library.GetNextItem(type, pos)));
    return texts;
}

inline std::vector<std::string> Titles(CLibrary& library, int type)
{
    return ItemTexts(library, type, [](const CMediaItem& item) { return item.GetTitle(); });
}

inline std::vector<std::string> LibraryIDs(CLibrary& library, int type)
{
    return ItemTexts(library, type, [](const CMediaItem& item) { return item.GetLibraryID(); });
}
