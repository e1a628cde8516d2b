#pragma once
// Orders the items of one media type by a primary and a secondary property.
// Each item's two keys are computed once per sort (numbers, dates, series
// numbers and library ID numbers as such, texts folded to lower case), then
// a stable sort relinks the list, so items with equal keys keep their order.

#include <functional>

#include "data/model/ItemLists.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CMediaItem;

class CItemSort {
public:
    // What only the media manager knows: the number of an item's library
    // ID, and the text of one of its custom fields ("" when the name is no
    // field of the type).
    struct CValueSource {
        std::function<int(const CMediaItem&)> libraryIDNumber;
        std::function<CString(const CMediaItem&, const CString&)> customFieldText;
    };

    // How a property's values compare.
    enum class KeyKind { none, text, number, date, seriesNumber, libraryID };

    // One item's value of one property, ready to compare.
    struct CKey {
        CString text; // folded text (text, series number)
        double number = 0.0; // number, library ID, series number's number
        int rank = 0; // date: 0 null, 1 invalid, 2 valid; series: has a number
        bool empty = true; // series number: empty text
    };

    static KeyKind ClassifyKey(const CString& prop);
    static CKey MakeKey(const CMediaItem& item, const CString& prop, KeyKind kind, const CValueSource& source);
    static int CompareKeys(const CKey& a, const CKey& b, KeyKind kind);

    // Sorts items in place (nodes are relinked, positions stay valid). Null
    // entries go last.
    static void Sort(
        CMediaItemList& items, const CString& primary, const CString& secondary, const CValueSource& source);

    // The value of prop for a media item as GetData gives it, reading the
    // common fields directly.
    static CString GetValue(const CMediaItem& item, const CString& prop);

    // The texts that list the items (GetUniqueDescription for sortProp); a
    // text that an earlier entry already has gets " (2)", " (3)"... so that
    // no two entries are the same.
    static void GetListTexts(const CMediaItemList& items, const CString& sortProp, CStringArray& texts);

    // The number a series number text carries, the rule of
    // CMediaUtils::CompareSeriesNumbers; false when it carries none.
    static bool SeriesNumberValue(const CString& text, double& value);
};
