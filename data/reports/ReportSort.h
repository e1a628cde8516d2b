#pragma once
// The order of report rows: up to four properties, each compared as its kind
// asks (numbers, dates, series numbers, otherwise text ignoring case). Every
// item's values are fetched once per sort, all in one go; the order is the
// one a comparison that fetched the values afresh would give. Null items go
// last; items that compare equal keep their order.

#include <vector>

#include "data/model/ItemLists.h"
#include "platform/util/VemoTypes.h"

class CItem;
class CLibraryImpl;

class CReportSort {
public:
    static constexpr int KEY_COUNT = 4;

    // An item with its values of the sort properties.
    struct CRow {
        CItem* item = nullptr;
        CString values[KEY_COUNT];
    };

    // Sorts in place. library (may be null) supplies custom field values of
    // text properties. Bit k of descending turns key k around.
    static void Sort(CItemList& items, const CString& prop1, const CString& prop2, const CString& prop3,
        const CString& prop4, const CLibraryImpl* library, unsigned descending = 0);
    // Rows for items, with the values of props (up to KEY_COUNT; the rest
    // stay empty), sorted by them.
    static std::vector<CRow> SortRows(const std::vector<CItem*>& items, const std::vector<CString>& props,
        const CLibraryImpl* library, unsigned descending = 0);

    // The text of prop for item as reports see it: the item's data, and for
    // a property that is neither a number nor a date, with a library, the
    // item's custom field of that name. "" for a null item or empty prop.
    static CString GetValue(const CItem* item, const CString& prop, const CLibraryImpl* library);
    // The same for several properties at once (one look at the item).
    static void GetValues(
        const CItem* item, const CString* const props[], int count, const CLibraryImpl* library, CString values[]);
    // Whether prop's values can come from custom fields (not a number, not
    // a date).
    static bool IsTextProp(const CString& prop);
};
