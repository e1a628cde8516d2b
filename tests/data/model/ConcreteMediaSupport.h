#pragma once
// Shared by the tests of the concrete media classes: fully filled items of
// every media type, the properties each type is meant to carry, and record
// helpers.

#include <memory>
#include <set>
#include <string>

#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "platform/util/VemoTypes.h"

namespace concretetest {

using PropSet = std::set<CString>;

// Marks a key nobody answered.
inline const CString UNANSWERED = "\x01unanswered";

// Process-wide records the items refer to: a category, a publisher with
// contact data, a magazine title of that publisher, a borrower.
struct SharedRecords {
    int categoryID = 0;
    int publisherID = 0;
    int magazineID = 0;
    int personID = 0;
};
// Creates them once (idempotent).
const SharedRecords& EnsureSharedRecords();

// A value for every editable property of the media (not of sub-items).
CMapStringToString FullMediaMap();
// A value for every sub-item property; n makes the texts differ.
CMapStringToString FullSubItemMap(int n);

// A new item of the type with every field set: the full map, two sub-items
// (where the type has them), custom values, two check-out entries, report
// properties and special features where present.
std::unique_ptr<CMediaItem> MakeFullItem(int mediaType);
std::unique_ptr<CMediaItem> MakeDefaultItem(int mediaType);

// The properties the type's media items answer through GetData.
PropSet CarriedProps(int mediaType);
// The properties its sub-items answer on top of the medium's.
PropSet CarriedSubItemProps(int mediaType);
// Whether the type has sub-items.
bool HasSubItems(int mediaType);

// GetData over all 113 names, each seeded with UNANSWERED.
CMapStringToString AllData(const CItem& item);
// The names whose value is not UNANSWERED.
PropSet Answered(const CMapStringToString& data);

// The item's record.
std::string Store(CMediaItem& item);
// Loads bytes into item; returns whether every byte was read.
bool Load(CMediaItem& item, const std::string& bytes);

// The sub-items in list order.
std::vector<CMediaSubItem*> SubItems(const CMediaItem& item);

// All ids 1..24.
std::vector<int> AllMediaTypes();
// "Book", "CassetteTape"... for test names.
std::string TypeName(int mediaType);

} // namespace concretetest
