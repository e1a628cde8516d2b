#pragma once
// What a CLibrary stands for: the library-wide settings, one media manager
// per media type, the reports, research entries, shown media types, check-out
// settings, value lists and saved search strings. The body of the library
// file is written and read here (docs/file-format.md, "Library file").

#include <array>
#include <memory>

#include "data/store/CheckoutSettings.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"
#include "platform/util/Font.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CLibrarySearch;
class CReadGate;
class CMediaMgr;
class CMediaValueLists;
class CVideoTapeMediaMgr;

class CLibraryImpl {
public:
    // The lists of names offered for completion (bit flags).
    enum ValueList : unsigned {
        LIST_ARTISTS = 1u << 0,
        LIST_ACTORS = 1u << 1,
        LIST_DIRECTORS = 1u << 2,
        LIST_AUTHORS = 1u << 3,
        LIST_LOCATIONS = 1u << 4,
        LIST_MANUFACTURERS = 1u << 5,
        LIST_ALL = (1u << 6) - 1,
    };

    CLibraryImpl(bool setDefaultMediaTypes, bool ownsSharedLists);
    CLibraryImpl(const CLibraryImpl&) = delete;
    CLibraryImpl& operator=(const CLibraryImpl&) = delete;
    ~CLibraryImpl();

    // The body (after the format word). earlier writes, and reading expects,
    // the earlier format: every record that has since grown in its version-1
    // form. Throws CArchiveException; items are added only when read whole.
    void Serialize(CArchive& ar, bool earlier = false);

    bool GetOwnsSharedLists() const { return m_ownsSharedLists; }
    // The library that owns the shared lists is the one whose reports take
    // in every category made from now on.
    void SetOwnsSharedLists(bool owns);

    // The manager of a media type 1..24 (the video tape formats 116..125 give
    // the video tape manager); null for any other id.
    CMediaMgr* GetMediaMgr(int id) const;
    // Manager i (0..23) in library file order.
    CMediaMgr* GetMediaMgrAt(int fileIndex) const { return m_mediaMgrs[fileIndex].get(); }
    CVideoTapeMediaMgr* GetVideoTapeMgr() const;

    // Items.
    int GetItemCount(int mediaType) const;
    POSITION GetHeadItem(int mediaType) const;
    CMediaItem* GetNextItem(int mediaType, POSITION& pos) const;
    CMediaItem* CreateMediaItem(int mediaType, CMediaItem* source);
    void DeleteItem(CMediaItem* item);
    void DeleteItems(int mediaType);
    void DeleteItemsVT(int videoTapeFormat);
    bool GetHaveMediaType(int mediaType) const;
    void GetMediaItems(const CMediaTypeSelection& selection, CMediaItemList& items) const;
    void GetItemListTexts(int mediaType, CStringArray& texts) const;
    CMediaItem* Import(int mediaType, const CMapStringToString& values, bool overwrite);
    // Items were changed from outside (views): derived look-up data is
    // dropped, for one item or for all.
    void NoteItemChanged(const CItem* item);
    void NoteItemsChanged();

    // Settings.
    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    const CString& GetNotes() const { return m_notes; }
    void SetNotes(const CString& notes) { m_notes = notes; }
    const CString& GetPathImport() const { return m_pathImport; }
    void SetPathImport(const CString& path) { m_pathImport = path; }
    const CString& GetPathExport() const { return m_pathExport; }
    void SetPathExport(const CString& path) { m_pathExport = path; }
    const CString& GetPathCustomWebReportOutput() const { return m_pathWebReportOutput; }
    void SetPathCustomWebReportOutput(const CString& path);
    const CString& GetPathUserCustomWebReportTemplate() const { return m_pathUserWebReportTemplate; }
    void SetPathUserCustomWebReportTemplate(const CString& path);
    const CString& GetPathCustomWebReportImage() const { return m_pathWebReportImage; }
    void SetPathCustomWebReportImage(const CString& path);
    const CString& GetPathCustomFieldDefault() const { return m_pathCustomFieldDefault; }
    void SetPathCustomFieldDefault(const CString& path) { m_pathCustomFieldDefault = path; }
    bool GetPrintPortrait() const { return m_printPortrait; }
    void SetPrintPortrait(bool portrait) { m_printPortrait = portrait; }
    CFont* GetPrintHeaderFont() { return &m_printHeaderFont; }
    CFont* GetPrintContentFont() { return &m_printContentFont; }
    CFont* GetPrintFooterFont() { return &m_printFooterFont; }
    COLORREF GetPrintHeaderTextColor() const { return m_printHeaderTextColor; }
    void SetPrintHeaderTextColor(COLORREF color) { m_printHeaderTextColor = color; }
    COLORREF GetPrintContentTextColor() const { return m_printContentTextColor; }
    void SetPrintContentTextColor(COLORREF color) { m_printContentTextColor = color; }
    COLORREF GetPrintFooterTextColor() const { return m_printFooterTextColor; }
    void SetPrintFooterTextColor(COLORREF color) { m_printFooterTextColor = color; }
    int GetDefaultDVDRegion() const { return m_defaultDVDRegion; }
    void SetDefaultDVDRegion(int region) { m_defaultDVDRegion = region; }
    // The library's value; setting it (and loading) also sets the class-wide
    // setting of cassette recordings.
    bool GetCassetteUseTimedCounter() const { return m_cassetteUseTimedCounter; }
    void SetCassetteUseTimedCounter(bool timed);

    // Value lists. After a load they are rebuilt when first asked for.
    const CStringList& GetArtists() const { return Fresh(LIST_ARTISTS, m_artists); }
    const CStringList& GetActors() const { return Fresh(LIST_ACTORS, m_actors); }
    const CStringList& GetDirectors() const { return Fresh(LIST_DIRECTORS, m_directors); }
    const CStringList& GetAuthors() const { return Fresh(LIST_AUTHORS, m_authors); }
    const CStringList& GetLocations() const { return Fresh(LIST_LOCATIONS, m_locations); }
    const CStringList& GetManufacturers() const { return Fresh(LIST_MANUFACTURERS, m_manufacturers); }
    // Rebuilds the lists named by the ValueList flags in one pass.
    void RefreshLists(unsigned lists);
    void GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy, CStringList& musicBy,
        CStringList& instrumentation) const;

    // Per media type.
    void GetSortOrder(int mediaType, CString& primary, CString& secondary) const;
    void SetSortOrder(int mediaType, const CString& primary, const CString& secondary, bool force);
    CString GetDefaultLocation(int id) const;
    void SetDefaultLocation(int id, const CString& location);
    void RelocateMedia(int id, const CString& location);
    CCustomFieldMgr* GetCustomFieldMgr(int mediaType) const;
    CCustomPrintReport* GetCustomBasicReport(int mediaType) const;
    CLibraryIDSettings* GetLibraryIDFormatForID(int id) const;
    bool UpdateLibraryIDFormat(CLibraryIDSettings* settings, int id);
    bool RefreshLibraryID(CVideoTape* tape);
    void GetMediaTypeDataProps(const CMediaTypeSelection& selection, CStringList& props) const;
    void GetSupportedAudioFormats(int mediaType, bool& mono, bool& stereo, bool& sacd, bool& hdcd, bool& thx,
        bool& quadraphonic, bool& dolby, bool& dts, bool& channels) const;

    // Categories. Every category made (here, by an import or any creating
    // look-up) is entered as selected into every custom print and web
    // report, so that existing reports include it.
    void AddCategory(CCategory* category);
    void EnterCategoryInReports(int id);
    void DeleteCategory(CCategory* category);

    // Custom fields of a type, removed or reordered with their values.
    bool DeleteCustomField(int mediaType, CCustomField* field);
    bool SwapCustomFields(int mediaType, CCustomField* a, CCustomField* b);

    // Custom field values of an item.
    void GatherCustomFieldDataForItem(const CItem* item, CMapStringToString& values) const;
    void SetCustomFieldDataForItem(CItem* item, const CMapStringToString& values, bool apply);
    void SetDefaultCustomValues(CItem* item);

    // Check-out.
    CCheckoutSettings* GetCheckoutSettings() { return &m_checkoutSettings; }
    void GetCheckedOutItems(CMediaItemList& items) const;
    void GetReservedItems(CMediaItemList& items) const;
    int GetCheckedoutItemCount(int mediaType) const;
    int GetReservedItemCount(int mediaType) const;

    // Media types shown, research entries.
    CMediaTypeSelection* GetMediaTypes() { return &m_mediaTypes; }
    int GetResearchEntryCount() const { return m_researchEntries.GetCount(); }
    CResearchEntry* GetResearchEntryAt(int index) const { return m_researchEntries.GetAt(index); }
    void UpdateResearchEntries(
        CArray<CResearchEntry*, CResearchEntry*>* toRemove, CArray<CResearchEntry*, CResearchEntry*>* toAdd);

    // Printed reports.
    void AddCustomPrintReport(CCustomPrintReport* report);
    void DeleteCustomPrintReport(CCustomPrintReport* report);
    int GetCustomPrintReportCount() const { return static_cast<int>(m_customPrintReports.GetSize()); }
    CCustomPrintReport* GetCustomPrintReportAt(int index) const;
    void PrepCustomPrintReport(
        CCustomPrintReport* report, bool allCategories, bool defaultColumns, bool allColumns, bool run);
    void GatherCustomPrintReportData(const CCustomPrintReport* report, CItem* item, CMapStringToString& values) const;

    // Web reports.
    void AddCustomWebReport(CCustomWebReport* report);
    void DeleteCustomWebReport(CCustomWebReport* report);
    int GetCustomWebReportCount() const { return static_cast<int>(m_customWebReports.GetSize()); }
    CCustomWebReport* GetCustomWebReportAt(int index) const;
    void AddDefaultCustomWebReports(const CString& templateDir, const CString& outputDir);
    void RunCustomWebReport(CCustomWebReport* report, const CProgressCallback& progress);

    // Search and statistics.
    void DoTextSearch(
        const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results) const;
    CMediaItem* FindDuplicate(const CMediaItem* item) const;
    bool PrepareSearch() const;
    void StartSearchBuilding(CReadGate& gate) const;
    bool IsSearchBuilding() const;
    void AddSearchString(const CString& text) { m_searchStrings.Add(text); }
    void ClearSearchStrings() { m_searchStrings.RemoveAll(); }
    int GetSearchStringCount() const { return static_cast<int>(m_searchStrings.GetSize()); }
    CString GetSearchStringAt(int index) const;
    int GetTotalItemCount(int mediaType) const;
    double GetTotalValue(int mediaType) const;

private:
    void SerializeFolders(CArchive& ar);
    void SerializeWebReports(CArchive& ar, bool earlier);
    void SerializePrintReports(CArchive& ar);
    // The checked-out (or reserved) items of every type, ordered by person.
    void GetLentItems(bool reserved, CMediaItemList& items) const;
    template <class TReport> static void SortReports(CArray<TReport*, TReport*>& reports);
    const CStringList& Fresh(unsigned list, const CStringList& values) const
    {
        if (m_staleLists & list)
            const_cast<CLibraryImpl*>(this)->RefreshLists(m_staleLists);
        return values;
    }

    bool m_printPortrait = true;
    bool m_ownsSharedLists;
    int m_defaultDVDRegion = 1;
    COLORREF m_printHeaderTextColor = 0;
    COLORREF m_printContentTextColor = 0;
    COLORREF m_printFooterTextColor = 0;
    CFont m_printHeaderFont;
    CFont m_printContentFont;
    CFont m_printFooterFont;
    CString m_name;
    CString m_notes;
    CString m_pathImport;
    CString m_pathExport;
    CString m_pathWebReportOutput;
    CString m_pathUserWebReportTemplate;
    CString m_pathWebReportImage;
    CString m_pathCustomFieldDefault;
    // In library file order.
    std::array<std::unique_ptr<CMediaMgr>, 24> m_mediaMgrs;
    CMediaTypeSelection m_mediaTypes;
    CCheckoutSettings m_checkoutSettings;
    CArray<CCustomWebReport*, CCustomWebReport*> m_customWebReports;
    CArray<CCustomPrintReport*, CCustomPrintReport*> m_customPrintReports;
    CResearchEntryArray m_researchEntries;
    CStringList m_artists;
    CStringList m_actors;
    CStringList m_directors;
    CStringList m_authors;
    CStringList m_locations;
    CStringList m_manufacturers;
    // The seventh list: the sheet music names are gathered on request
    // (GetSheetMusicLists), so nothing is kept here.
    CStringArray m_searchStrings;

    bool m_cassetteUseTimedCounter = false;
    unsigned m_staleLists = 0;
    std::unique_ptr<CLibrarySearch> m_search;
};
