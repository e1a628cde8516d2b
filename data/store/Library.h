#pragma once
// One library: the items of all 24 media types (through one media manager per
// type), the library-wide settings, categories, reports, research entries,
// the check-out settings, the media types shown and the saved search
// strings. CLibrary is a handle: every operation forwards to CLibraryImpl and
// returns a neutral value (null, 0, false, an empty string) when there is no
// implementation behind it.
//
// Media type arguments are the ids 1..24 of CMediaUtils; where noted, the
// video tape format ids 116..125 select the video tape manager.

#include <functional>

#include "platform/util/Font.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CCategory;
class CCustomField;
class CCheckoutSettings;
class CCustomFieldMgr;
class CCustomPrintReport;
class CCustomWebReport;
class CItem;
class CItemList;
class CLibraryIDSettings;
class CReadGate;
class CLibraryImpl;
class CMediaItem;
class CMediaItemList;
class CMediaSubItem;
class CMediaTypeSelection;
class CResearchEntry;
class CVideoTape;

// What a text search looks at.
struct CTextSearchOptions {
    CString text; // one or more words, all must match (case-insensitive)
    CStringList properties; // data properties to look in; empty = every text property
    bool includeSubItems = true; // tracks, chapters, articles and recordings too
};

// Progress of long operations (web reports): (message, first value, second value).
using CProgressCallback = std::function<void(unsigned int message, long long first, long long second)>;

class CLibrary {
public:
    CLibrary(bool setDefaultMediaTypes, bool ownsSharedLists);
    ~CLibrary();
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;
    // Exchanges the whole content with another library (a load reads into a
    // fresh library and swaps only when the whole file was read).
    void Swap(CLibrary& other) noexcept;

    CLibraryImpl* GetImpl() const { return m_impl; }

    // The library body (after the format word). Throws CArchiveException.
    void Serialize(CArchive& ar);
    // Reads the earlier format (format word 1); returns true when it
    // converted. The wish list path and the two folders are those of the
    // program's data folder.
    bool SerializeOldData(CArchive& ar, WORD currentVersion, const CString& wishListPath, const CString& templatesDir,
        const CString& webReportsDir);

    // Items of one media type (116..125 select video tapes).
    int GetItemCount(int mediaType) const;
    POSITION GetHeadItem(int mediaType) const;
    CMediaItem* GetNextItem(int mediaType, POSITION& pos) const;
    // A new item of the type (a copy of source when it is of the type's
    // class); default location, default DVD region, default custom values,
    // auto-generated library ID; the list is sorted again. Owned by the library.
    CMediaItem* CreateMediaItem(int mediaType, CMediaItem* source);
    void DeleteItem(CMediaItem* item);
    void DeleteItems(int mediaType);
    void DeleteItemsVT(int videoTapeFormat);
    bool GetHaveMediaType(int mediaType) const;
    // Appends the items of every selected type, each type in its sort order.
    void GetMediaItems(const CMediaTypeSelection& selection, CMediaItemList& items) const;
    // The texts that list the type's items, in list order, each telling its
    // item apart from the others (GetUniqueDescription for the sort property).
    void GetItemListTexts(int mediaType, CStringArray& texts) const;
    // Tells the library that the program changed an item (or many) directly:
    // search texts and duplicate look-up data are made again, and the list
    // is sorted again before it is next handed out. The document calls it
    // whenever it marks the library modified after an edit.
    void NoteItemChanged(const CItem* item);
    void NoteItemsChanged();

    // Library settings.
    const CString& GetName() const;
    void SetName(const CString& name);
    const CString& GetNotes() const;
    void SetNotes(const CString& notes);
    const CString& GetPathImport() const;
    void SetPathImport(const CString& path);
    const CString& GetPathExport() const;
    void SetPathExport(const CString& path);
    const CString& GetPathCustomWebReportOutput() const;
    void SetPathCustomWebReportOutput(const CString& path);
    const CString& GetPathUserCustomWebReportTemplate() const;
    void SetPathUserCustomWebReportTemplate(const CString& path);
    const CString& GetPathCustomWebReportImage() const;
    void SetPathCustomWebReportImage(const CString& path);
    const CString& GetPathCustomFieldDefault() const;
    void SetPathCustomFieldDefault(const CString& path);
    bool GetPrintPortrait() const;
    void SetPrintPortrait(bool portrait);
    CFont* GetPrintHeaderFont() const;
    CFont* GetPrintContentFont() const;
    CFont* GetPrintFooterFont() const;
    COLORREF GetPrintHeaderTextColor() const;
    void SetPrintHeaderTextColor(COLORREF color);
    COLORREF GetPrintContentTextColor() const;
    void SetPrintContentTextColor(COLORREF color);
    COLORREF GetPrintFooterTextColor() const;
    void SetPrintFooterTextColor(COLORREF color);
    int GetDefaultDVDRegion() const;
    void SetDefaultDVDRegion(int region);
    bool GetCassetteUseTimedCounter() const;
    void SetCassetteUseTimedCounter(bool timed);

    // Value lists (names offered for completion), rebuilt from the items.
    const CStringList& GetArtists() const;
    const CStringList& GetActors() const;
    const CStringList& GetDirectors() const;
    const CStringList& GetAuthors() const;
    const CStringList& GetLocations() const;
    const CStringList& GetManufacturers() const;
    void RefreshArtistsList();
    void RefreshActorsList();
    void RefreshDirectorsList();
    void RefreshAuthorsList();
    void RefreshLocationsList();
    void RefreshManufacturersList();
    void RefreshAllLists();
    void GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy, CStringList& musicBy,
        CStringList& instrumentation) const;

    // Per media type.
    void GetSortOrder(int mediaType, CString& primary, CString& secondary) const;
    void SetSortOrder(int mediaType, const CString& primary, const CString& secondary, bool force);
    CString GetDefaultLocation(int mediaType) const;
    void SetDefaultLocation(int mediaType, const CString& location);
    // Sets location on every item of the type (never other types); a video
    // tape format id relocates the tapes of that format.
    void RelocateMedia(int mediaType, const CString& location);
    CCustomFieldMgr* GetCustomFieldMgr(int mediaType) const;
    CCustomPrintReport* GetCustomBasicReport(int mediaType) const;
    CLibraryIDSettings* GetLibraryIDFormatForID(int id) const;
    bool UpdateLibraryIDFormat(CLibraryIDSettings* settings, int id);
    bool RefreshLibraryID(CVideoTape* tape);
    // The data property names that the selected types carry (no duplicates).
    void GetMediaTypeDataProps(const CMediaTypeSelection& selection, CStringList& props) const;
    // Which audio formats make sense for a type (for the audio page).
    void GetSupportedAudioFormats(int mediaType, bool& mono, bool& stereo, bool& sacd, bool& hdcd, bool& thx,
        bool& quadraphonic, bool& dolby, bool& dts, bool& channels) const;

    // Categories.
    void AddCategory(CCategory* category);
    void DeleteCategory(CCategory* category);
    CCategory* GetCategory(int id) const;
    CCategory* GetCategoryNone() const;
    POSITION GetHeadCategory() const;
    CCategory* GetNextCategory(POSITION& pos) const;

    // Custom fields of a type: deleting or reordering a field moves the
    // values of every item with it, so values stay with their fields. False
    // when the field is not one of the type's.
    bool DeleteCustomField(int mediaType, CCustomField* field);
    bool SwapCustomFields(int mediaType, CCustomField* a, CCustomField* b);

    // Custom field values of an item.
    void GatherCustomFieldDataForItem(const CItem* item, CMapStringToString& values) const;
    void SetCustomFieldDataForItem(CItem* item, const CMapStringToString& values, bool apply);
    void SetDefaultCustomValues(CItem* item);

    // Check-out.
    CCheckoutSettings* GetCheckoutSettings() const;
    void GetCheckedOutItems(CMediaItemList& items) const;
    void GetReservedItems(CMediaItemList& items) const;
    int GetCheckedoutItemCount(int mediaType) const;
    int GetReservedItemCount(int mediaType) const;

    // Media types shown, research entries.
    CMediaTypeSelection* GetMediaTypes() const;
    int GetResearchEntryCount() const;
    CResearchEntry* GetResearchEntryAt(int index) const;
    // Adds every entry of toAdd (the library takes them), then removes and
    // destroys every entry of toRemove that the library holds.
    void UpdateResearchEntries(
        CArray<CResearchEntry*, CResearchEntry*>* toRemove, CArray<CResearchEntry*, CResearchEntry*>* toAdd);

    // Printed reports.
    void AddCustomPrintReport(CCustomPrintReport* report);
    void DeleteCustomPrintReport(CCustomPrintReport* report);
    int GetCustomPrintReportCount() const;
    CCustomPrintReport* GetCustomPrintReportAt(int index) const;
    void PrepCustomPrintReport(
        CCustomPrintReport* report, bool allCategories, bool defaultColumns, bool allColumns, bool run);
    void GatherCustomPrintReportData(const CCustomPrintReport* report, CItem* item, CMapStringToString& values) const;

    // Web reports.
    void AddCustomWebReport(CCustomWebReport* report);
    void DeleteCustomWebReport(CCustomWebReport* report);
    int GetCustomWebReportCount() const;
    CCustomWebReport* GetCustomWebReportAt(int index) const;
    void AddDefaultCustomWebReports(const CString& templateDir, const CString& outputDir);
    // Runs a web report; the outcome text is the report's run error message.
    void RunCustomWebReport(CCustomWebReport* report, const CProgressCallback& progress);

    // Search and statistics.
    void DoTextSearch(
        const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results) const;
    // One step of making the search indexes ahead of the first search (for
    // idle time); false when there is nothing left to make.
    bool PrepareSearch() const;
    // Makes the search indexes on a worker thread instead, in steps taken
    // while the calling (owner) thread does not hold gate. Until
    // IsSearchBuilding turns false the owner changes the library only while
    // it holds gate; a search finishes what it needs itself.
    void StartSearchBuilding(CReadGate& gate) const;
    bool IsSearchBuilding() const;
    // The first item of the item's type (in list order) that is a duplicate
    // of item by its operator==; null when none.
    CMediaItem* FindDuplicate(const CMediaItem* item) const;
    void AddSearchString(const CString& text);
    void ClearSearchStrings();
    int GetSearchStringCount() const;
    CString GetSearchStringAt(int index) const;
    // Counts and totals of a type (of one tape format for 116..125).
    int GetTotalItemCount(int mediaType) const;
    double GetTotalValue(int mediaType) const;

    // Import of one row: a new item, or the existing equal one with its
    // missing data filled in; null for an unknown type or an empty map.
    CMediaItem* Import(int mediaType, const CMapStringToString& values, bool overwrite);

private:
    CLibraryImpl* m_impl;
};
