#pragma once
// Default items by media type id, for callers that need nothing else of the
// registry: a thin call into CMediaRegistry, which knows the 24 types.

#include "data/model/MediaRegistry.h"

class CMediaFactory {
public:
    // A new default item of the type (1..24; the caller owns it). A video
    // tape format id (116..125) gives a video tape of that format; any other
    // id gives null.
    static CMediaItem* CreateMediaItem(int mediaType) { return CMediaRegistry::CreateItem(mediaType); }
};
