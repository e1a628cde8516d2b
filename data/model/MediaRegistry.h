#pragma once
// The one table of the 24 media types. For each type: its id, names and
// abbreviation, group, picture and view class, its default item, which kind
// of media manager keeps its items, its default sort order, the named sort
// orders it offers, its basic report columns, the audio formats that make
// sense for it and how duplicates are found. The rows are in the order of the
// media manager records in a library file. CMediaUtils answers the names and
// groups from here; the library store makes each type's manager from the
// manager kind.

#include <typeinfo>
#include <vector>

#include "platform/util/VemoTypes.h"

class CMediaItem;

// Named sort orders a media manager offers (bit flags).
enum CSortOrderFlag : unsigned {
    SORT_LIBRARYID = 1u << 0,
    SORT_TITLE = 1u << 1,
    SORT_ARTIST = 1u << 2,
    SORT_AUTHOR = 1u << 3,
    SORT_MAGAZINE = 1u << 4,
    SORT_ISSUE = 1u << 5,
    SORT_COMPOSER = 1u << 6,
};

// Audio formats offered on a type's audio page (bit flags).
enum CAudioFormatFlag : unsigned {
    AUDIO_MONO = 1u << 0,
    AUDIO_STEREO = 1u << 1,
    AUDIO_SACD = 1u << 2,
    AUDIO_HDCD = 1u << 3,
    AUDIO_THX = 1u << 4,
    AUDIO_QUADRAPHONIC = 1u << 5,
    AUDIO_DOLBY = 1u << 6,
    AUDIO_DTS = 1u << 7,
    AUDIO_CHANNELS = 1u << 8,
};

// What two duplicates (operator==) of a type always share, so that a
// duplicate look-up need only compare items with the same key.
enum class CDuplicateKey {
    title, // titles equal ignoring case
    magazineIssue, // magazine names and issues equal ignoring case
    none, // no shared key known: compare with every item
};

// The group a type is listed under.
enum class CMediaGroup { audio, video, print, other };

// The media manager that keeps a type's items: the common one, or one that
// adds rules of its own.
enum class CMediaMgrKind {
    generic,
    magazineIssue, // imported articles merge into an existing issue
    videoTape, // numbering and locations per tape format
};

struct CMediaTypeInfo {
    int mediaType;
    const CString& singular;
    const CString& plural;
    const char* abbreviation; // the media bar's label; null: the plural name
    CMediaGroup group;
    bool recordable;
    const char* picture; // base name of the view's picture: "book" for "book.jpg"
    const char* viewClass; // the class name of the type's media view
    CMediaItem* (*createItem)(); // a new default item (caller owns it)
    const std::type_info& itemClass; // the class createItem makes
    CMediaMgrKind managerKind;
    const char* primarySort;
    const char* secondarySort;
    unsigned sortOrders; // CSortOrderFlag
    unsigned audioFormats; // CAudioFormatFlag
    CDuplicateKey duplicateKey;
    std::vector<CString> defaultColumns; // of the basic report
};

class CMediaRegistry {
public:
    static constexpr int TYPE_COUNT = 24;

    // Entry i (0..23) in library file order.
    static const CMediaTypeInfo& GetAt(int fileIndex);
    // The entry of a media type 1..24; null for any other id.
    static const CMediaTypeInfo* Find(int mediaType);
    // The file index of a media type 1..24; -1 for any other id.
    static int GetFileIndex(int mediaType);
    // 1..24 as they are, the video tape formats 116..125 as video tapes,
    // anything else 0.
    static int ToMediaType(int id);
    // A new default item of the type (1..24; the caller owns it). A video
    // tape format id (116..125) gives a video tape of that format; any other
    // id gives null.
    static CMediaItem* CreateItem(int id);
    // The 24 ids in the order shown to the user: alphabetical by singular
    // name, each recordable type right after the type it records.
    static const CUIntArray& GetAlphaOrderedIDs();

    // The data properties the type's media items answer, and those its
    // sub-items add, in the order of CMediaUtils::GetAllDataProps. Learnt
    // once per type from a default item.
    static const CStringArray& GetDataProps(int mediaType);
    static const CStringArray& GetSubItemDataProps(int mediaType);
    // The properties a sub-item of the type answers with values of its own
    // (not its medium's).
    static const CStringArray& GetSubItemOwnProps(int mediaType);
};
