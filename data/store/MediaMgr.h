#pragma once
// The items of one media type and everything the library keeps per type:
// sort order, default location, library ID settings, custom fields and the
// basic report. CMediaMgr serves every type from its row of the registry
// table (MediaRegistry.h); the magazine and video tape managers add rules of
// their own. Record layout: docs/file-format.md.

#include <memory>
#include <vector>

#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryIDSettings.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CCustomField;
class CItem;
class CMediaValueLists;
struct CMediaTypeInfo;

class CMediaMgr {
public:
    // The manager record's versions: 2 adds the default location.
    static constexpr WORD RECORD_VERSION = 2;
    static constexpr WORD RECORD_VERSION_EARLIER = 1;

    // An empty manager of a media type 1..24, with the type's default sort
    // order and basic report.
    explicit CMediaMgr(int mediaType);
    CMediaMgr(const CMediaMgr&) = delete;
    CMediaMgr& operator=(const CMediaMgr&) = delete;
    // Destroys the items.
    virtual ~CMediaMgr();

    int GetMediaType() const { return m_mediaType; }
    const CMediaTypeInfo& GetInfo() const;

    // A new default item of the type; the caller owns it.
    CMediaItem* CreateDefaultItem() const;
    // Whether item is exactly of the type's item class.
    bool IsOwnItem(const CMediaItem* item) const;

    // Items, in list order. The list is brought into sort order first when
    // items were added without sorting (import).
    int GetItemCount() const { return static_cast<int>(m_items.GetCount()); }
    const CMediaItemList& GetItems() const;
    POSITION GetHeadItem() const { return GetItems().GetHeadPosition(); }
    CMediaItem* GetNextItem(POSITION& pos) const { return m_items.GetNext(pos); }
    bool HoldsItem(const CMediaItem* item) const;
    // The list as it stands, without sorting first (counting needs no order).
    const CMediaItemList& GetItemsAsStored() const { return m_items; }
    // Changes whenever items join or leave the list or it is reordered.
    std::uint64_t GetOrderStamp() const { return m_orderStamp; }

    // A new item: a copy of source when it is of the type's class, else a
    // default item (for video tapes, of the format id names). With append it
    // joins the list (at the end, unsorted) and gets the default location
    // and, with auto generate, the next library ID.
    CMediaItem* CreateItem(const CMediaItem* source, int id, bool append);
    // Takes the item out of the list and destroys it: categories in use by it
    // and its sub-items lose their use. False when the item is not held.
    bool DeleteItem(CMediaItem* item);
    void DeleteAllItems();
    // Destroys an item that is in no list, releasing its categories' use.
    static void DestroyItem(CMediaItem* item);

    // Sort order: primary, then secondary property (any data property or
    // custom field name; numbers, dates and series numbers compare as such).
    const CString& GetPrimarySort() const { return m_primarySort; }
    const CString& GetSecondarySort() const { return m_secondarySort; }
    // Stores and sorts; nothing when both are unchanged and not force.
    void SetSortOrder(const CString& primary, const CString& secondary, bool force);
    // Sorts the list by the stored order.
    void Sort();
    // Orders the list once by prop without storing it (items with equal
    // values keep their order).
    void SortBy(const CString& prop);
    bool SupportsSortOrder(const CString& prop) const;
    // The named orders; each does nothing unless the type offers it.
    void SortByLibraryID();
    void SortByTitle();
    void SortByArtist();
    void SortByAuthor();
    void SortByMagazine();
    void SortByIssue();
    void SortByComposer();
    // Items were added at the end; the next GetItems sorts.
    void MarkUnsorted() { m_unsorted = true; }

    // The location new items get. id is the media type, or for video tapes
    // a format id.
    virtual CString GetDefaultLocation(int id) const;
    virtual void SetDefaultLocation(int id, const CString& location);
    // Sets the location of every item the id covers.
    virtual void RelocateMedia(int id, const CString& location);

    // Library IDs. The settings object of id (the type, or for video tapes a
    // format id); null when the manager has none for it.
    virtual CLibraryIDSettings* GetLibraryIDSettings(int id);
    // The settings that number item.
    const CLibraryIDSettings& GetNumberingSettings(const CMediaItem& item) const;
    // With auto generate: the item's ID becomes the next free number.
    void AssignNewLibraryID(CMediaItem& item);
    // The highest number (whole ID parsed) among the items numbered with the
    // same settings as item, other than item itself, plus 1.
    int GetNextFreeNumber(const CMediaItem& item) const;
    // AssignNewLibraryID for an imported row: the same number, taken from
    // the numbers the import index keeps instead of a look at every item.
    void AssignImportedLibraryID(CMediaItem& item);
    // Applies the one-shot options of settings (clear, renumber, reformat)
    // to the items id covers; true when an item was touched. The options are
    // reset afterwards.
    virtual bool UpdateLibraryIDFormat(CLibraryIDSettings& settings, int id);

    CCustomFieldMgr& GetCustomFieldMgr() { return m_customFields; }
    // Deletes a field, and its value from every item (and article), so that
    // the later values stay with their fields.
    bool DeleteCustomField(CCustomField* field);
    // Exchanges two fields, and their values in every item (and article).
    bool SwapCustomFields(CCustomField* a, CCustomField* b);
    // Custom field values of an item of this type: initial values, values
    // as texts into a map, values from a map.
    void SetDefaultCustomValues(CItem* item) const;
    void GatherCustomFieldData(const CItem* item, CMapStringToString& values) const;
    void SetCustomFieldData(CItem* item, const CMapStringToString& values, bool apply) const;

    CCustomPrintReport& GetBasicReport() { return m_basicReport; }
    // Names report after the type's plural name + " Report", selects only
    // this type, sets the default sort order and the default (or all)
    // columns.
    void PrepareBasicReport(CCustomPrintReport& report, bool allColumns) const;
    // Appends every item; with subItems, each item with a category, and for
    // an item without one its sub-items.
    void AppendItems(CItemList& items, bool subItems) const;

    // A category goes away: its items move to the none category and the id
    // leaves the basic report.
    void OnCategoryDeleted(int id);
    // Lets every item add its names to the lists.
    void AddValues(const CMediaValueLists& lists) const;

    // The first item in list order, other than item, that item is a
    // duplicate of (IsDuplicate); null when none.
    CMediaItem* FindDuplicate(const CMediaItem* item) const;
    // Whether item (a row being imported, say) is candidate again: two
    // different library IDs never are; where one of them has no ID the other
    // key fields of the type's equality decide; otherwise that equality.
    static bool IsDuplicate(const CMediaItem& candidate, const CMediaItem& item);
    // Drops what the manager derived from its items (call after items were
    // edited from outside).
    void InvalidateIndex() const;

    // One imported row: the first equal item gets the missing data, else a
    // new item joins the list. Null for an empty map.
    virtual CMediaItem* Import(const CMapStringToString& values, bool overwrite, int defaultDVDRegion);

    // The manager record; earlier writes (and reading finds) the version-1
    // form of the record and its extension.
    void Serialize(CArchive& ar, bool earlier = false);

protected:
    // The type's extension after the items: one word (1) for most types.
    virtual void SerializeExtension(CArchive& ar, bool earlier);
    // Whether item counts for id (the type, or a video tape format).
    virtual bool Covers(const CMediaItem& item, int id) const;
    // The id whose location and numbering an item follows: the type, or a
    // video tape's format.
    virtual int GetItemID(const CMediaItem& item) const { return m_mediaType; }
    // A new default item made for id (a video tape takes the format).
    virtual void InitNewItem(CMediaItem& /*item*/, int /*id*/) const { }
    // An existing item matched an imported row (magazine issues merge their
    // articles).
    virtual void MergeImported(CMediaItem& existing, CMediaItem& imported) const;
    // Keeps the values of an imported row that belong outside the item (a
    // magazine title's subscription); with overwrite false only what is unset.
    virtual void TakeImportedValues(CMediaItem& item, const CMapStringToString& values, bool overwrite) const;
    CMediaItemList& GetItemList() { return m_items; }
    void ListChanged() { ++m_orderStamp; }

private:
    class CIndex;
    CIndex& GetIndex() const;
    void ApplyRenumber(CLibraryIDSettings& settings, int id);
    int FieldIndex(const CCustomField* field) const;
    int LongestValueArray() const;
    // Rebuilds the value array of every item (and article): slot k takes the
    // value of slot from[k].
    void RemapCustomValues(const std::vector<int>& from, int count);
    CString ItemKey(const CMediaItem& item) const;
    // FindDuplicate for a type with a duplicate key, key being item's.
    CMediaItem* FindIndexedDuplicate(const CMediaItem& item, const CString& key) const;
    // Raises the import index's highest number of item's numbering id.
    void RaiseHighestNumber(const CMediaItem& item) const;

    int m_mediaType;
    CCustomFieldMgr m_customFields;
    // The internal map: duplicate candidates by key, built on demand.
    mutable std::unique_ptr<CIndex> m_index;
    CString m_primarySort;
    CString m_secondarySort;
    CString m_defaultLocation;
    CLibraryIDSettings m_libraryIDSettings;
    mutable CMediaItemList m_items;
    CCustomPrintReport m_basicReport;
    mutable bool m_unsorted = false;
    std::uint64_t m_orderStamp = 0;
};
