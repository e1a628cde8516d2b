#pragma once
// What an online look-up is asked and what it answers: the query taken from
// a field, and the candidates, each a property map under the data property
// names, so that a look-up fills an item the same way an import does.

#include <string>
#include <vector>

#include "platform/util/VemoTypes.h"

class CMediaItem;

struct CLookupQuery {
    enum EKind { ISBN, BARCODE, CATALOG_NUMBER, TITLE };

    EKind kind = ISBN;
    CString text;
    int mediaType = 0; // 1..24

    // "ISBN 9780451526533", "barcode 724384960650", "catalogue number
    // WBRCD4", "title "Alien"".
    CString Describe() const;
    // Kind of a text typed or scanned into a look-up field: an ISBN for a
    // book, a barcode when it is one, a catalogue number for music when
    // asked, a title otherwise.
    static CLookupQuery FromText(const CString& text, int mediaType, bool catalogNumberField = false);
    // The query an item can be looked up by: a book's ISBN, an audio
    // medium's jacket number when it is a barcode. False when it has none.
    static bool FromItem(const CMediaItem& item, CLookupQuery& query);
};

// The kinds of media the sources know.
class CLookupMedia {
public:
    static bool IsBook(int mediaType);
    // Audio media that are sold, not recorded at home.
    static bool IsMusic(int mediaType);
    // Video media that are sold, not recorded at home.
    static bool IsFilm(int mediaType);
};

struct CLookupCandidate {
    CString sourceId; // the source that answered
    CString sourceName;
    CString key; // the service's own id of the record
    // Data property name to text; only properties the service answered.
    CMapStringToString values;
    // A music release's tracks in order: "Disc #", "Track #", "Track Title",
    // "Track Length".
    std::vector<CMapStringToString> tracks;
    CString format; // "CD", "2×CD", "movie", ...; shown, never stored
    CString coverUrl; // empty when the service has no cover
    // Whether the details a fill needs (a release's tracks) are in.
    bool complete = false;

    CString Value(const CString& prop) const;
    // One line for lists: title, people, year, publisher, format.
    CString Describe() const;
};

// A downloaded cover, checked to be a picture.
struct CCoverImage {
    std::string bytes;
    CString extension; // "jpg", "png", "gif", "webp"; empty when there is none

    bool IsEmpty() const { return bytes.empty(); }
    // The extension of a JPEG, PNG, GIF or WebP by its first bytes; "" for
    // anything else.
    static CString DetectExtension(const std::string& bytes);
};
