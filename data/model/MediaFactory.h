#pragma once
// Makes the default item of a media type: the one place that maps ids to the
// concrete classes, so managers, loaders and tests need no switch of their own.

class CMediaItem;

class CMediaFactory {
public:
    // A new default item of the type (1..24; the caller owns it). A video
    // tape format id (116..125) gives a video tape of that format; any other
    // id gives null.
    static CMediaItem* CreateMediaItem(int mediaType);
};
