#include "data/store/Library.h"

#include <utility>

#include "data/model/CategoryMgr.h"
#include "data/store/LibraryImpl.h"

namespace {

const CString& EmptyString()
{
    static const CString empty;
    return empty;
}

const CStringList& EmptyList()
{
    static const CStringList empty;
    return empty;
}

} // namespace

CLibrary::CLibrary(bool setDefaultMediaTypes, bool ownsSharedLists)
    : m_impl(new CLibraryImpl(setDefaultMediaTypes, ownsSharedLists))
{
}

CLibrary::~CLibrary()
{
    delete m_impl;
}

void CLibrary::Swap(CLibrary& other) noexcept
{
    std::swap(m_impl, other.m_impl);
    // Each handle keeps its role: the program's library stays the one that
    // destroys the shared lists.
    if (m_impl && other.m_impl) {
        const bool mine = other.m_impl->GetOwnsSharedLists();
        other.m_impl->SetOwnsSharedLists(m_impl->GetOwnsSharedLists());
        m_impl->SetOwnsSharedLists(mine);
    }
}

void CLibrary::Serialize(CArchive& ar)
{
    if (m_impl)
        m_impl->Serialize(ar);
}

bool CLibrary::SerializeOldData(CArchive& ar, WORD /*currentVersion*/, const CString& /*wishListPath*/,
    const CString& templatesDir, const CString& webReportsDir)
{
    if (!m_impl)
        return false;
    // The earlier format kept no wish list, so there is none to write out.
    m_impl->Serialize(ar, true);
    if (m_impl->GetCustomWebReportCount() == 0)
        m_impl->AddDefaultCustomWebReports(templatesDir, webReportsDir);
    return true;
}

// Items.
int CLibrary::GetItemCount(int mediaType) const
{
    return m_impl ? m_impl->GetItemCount(mediaType) : 0;
}
POSITION CLibrary::GetHeadItem(int mediaType) const
{
    return m_impl ? m_impl->GetHeadItem(mediaType) : nullptr;
}
CMediaItem* CLibrary::GetNextItem(int mediaType, POSITION& pos) const
{
    return m_impl ? m_impl->GetNextItem(mediaType, pos) : nullptr;
}
CMediaItem* CLibrary::CreateMediaItem(int mediaType, CMediaItem* source)
{
    return m_impl ? m_impl->CreateMediaItem(mediaType, source) : nullptr;
}
void CLibrary::DeleteItem(CMediaItem* item)
{
    if (m_impl)
        m_impl->DeleteItem(item);
}
void CLibrary::DeleteItems(int mediaType)
{
    if (m_impl)
        m_impl->DeleteItems(mediaType);
}
void CLibrary::DeleteItemsVT(int videoTapeFormat)
{
    if (m_impl)
        m_impl->DeleteItemsVT(videoTapeFormat);
}
bool CLibrary::GetHaveMediaType(int mediaType) const
{
    return m_impl && m_impl->GetHaveMediaType(mediaType);
}
void CLibrary::GetMediaItems(const CMediaTypeSelection& selection, CMediaItemList& items) const
{
    if (m_impl)
        m_impl->GetMediaItems(selection, items);
}
void CLibrary::GetItemListTexts(int mediaType, CStringArray& texts) const
{
    if (m_impl)
        m_impl->GetItemListTexts(mediaType, texts);
}
void CLibrary::NoteItemChanged(const CItem* item)
{
    if (m_impl)
        m_impl->NoteItemChanged(item);
}
void CLibrary::NoteItemsChanged()
{
    if (m_impl)
        m_impl->NoteItemsChanged();
}

// Library settings.
const CString& CLibrary::GetName() const
{
    return m_impl ? m_impl->GetName() : EmptyString();
}
void CLibrary::SetName(const CString& name)
{
    if (m_impl)
        m_impl->SetName(name);
}
const CString& CLibrary::GetNotes() const
{
    return m_impl ? m_impl->GetNotes() : EmptyString();
}
void CLibrary::SetNotes(const CString& notes)
{
    if (m_impl)
        m_impl->SetNotes(notes);
}
const CString& CLibrary::GetPathImport() const
{
    return m_impl ? m_impl->GetPathImport() : EmptyString();
}
void CLibrary::SetPathImport(const CString& path)
{
    if (m_impl)
        m_impl->SetPathImport(path);
}
const CString& CLibrary::GetPathExport() const
{
    return m_impl ? m_impl->GetPathExport() : EmptyString();
}
void CLibrary::SetPathExport(const CString& path)
{
    if (m_impl)
        m_impl->SetPathExport(path);
}
const CString& CLibrary::GetPathCustomWebReportOutput() const
{
    return m_impl ? m_impl->GetPathCustomWebReportOutput() : EmptyString();
}
void CLibrary::SetPathCustomWebReportOutput(const CString& path)
{
    if (m_impl)
        m_impl->SetPathCustomWebReportOutput(path);
}
const CString& CLibrary::GetPathUserCustomWebReportTemplate() const
{
    return m_impl ? m_impl->GetPathUserCustomWebReportTemplate() : EmptyString();
}
void CLibrary::SetPathUserCustomWebReportTemplate(const CString& path)
{
    if (m_impl)
        m_impl->SetPathUserCustomWebReportTemplate(path);
}
const CString& CLibrary::GetPathCustomWebReportImage() const
{
    return m_impl ? m_impl->GetPathCustomWebReportImage() : EmptyString();
}
void CLibrary::SetPathCustomWebReportImage(const CString& path)
{
    if (m_impl)
        m_impl->SetPathCustomWebReportImage(path);
}
const CString& CLibrary::GetPathCustomFieldDefault() const
{
    return m_impl ? m_impl->GetPathCustomFieldDefault() : EmptyString();
}
void CLibrary::SetPathCustomFieldDefault(const CString& path)
{
    if (m_impl)
        m_impl->SetPathCustomFieldDefault(path);
}
bool CLibrary::GetPrintPortrait() const
{
    return m_impl && m_impl->GetPrintPortrait();
}
void CLibrary::SetPrintPortrait(bool portrait)
{
    if (m_impl)
        m_impl->SetPrintPortrait(portrait);
}
CFont* CLibrary::GetPrintHeaderFont() const
{
    return m_impl ? m_impl->GetPrintHeaderFont() : nullptr;
}
CFont* CLibrary::GetPrintContentFont() const
{
    return m_impl ? m_impl->GetPrintContentFont() : nullptr;
}
CFont* CLibrary::GetPrintFooterFont() const
{
    return m_impl ? m_impl->GetPrintFooterFont() : nullptr;
}
COLORREF CLibrary::GetPrintHeaderTextColor() const
{
    return m_impl ? m_impl->GetPrintHeaderTextColor() : 0;
}
void CLibrary::SetPrintHeaderTextColor(COLORREF color)
{
    if (m_impl)
        m_impl->SetPrintHeaderTextColor(color);
}
COLORREF CLibrary::GetPrintContentTextColor() const
{
    return m_impl ? m_impl->GetPrintContentTextColor() : 0;
}
void CLibrary::SetPrintContentTextColor(COLORREF color)
{
    if (m_impl)
        m_impl->SetPrintContentTextColor(color);
}
COLORREF CLibrary::GetPrintFooterTextColor() const
{
    return m_impl ? m_impl->GetPrintFooterTextColor() : 0;
}
void CLibrary::SetPrintFooterTextColor(COLORREF color)
{
    if (m_impl)
        m_impl->SetPrintFooterTextColor(color);
}
int CLibrary::GetDefaultDVDRegion() const
{
    return m_impl ? m_impl->GetDefaultDVDRegion() : 0;
}
void CLibrary::SetDefaultDVDRegion(int region)
{
    if (m_impl)
        m_impl->SetDefaultDVDRegion(region);
}
bool CLibrary::GetCassetteUseTimedCounter() const
{
    return m_impl && m_impl->GetCassetteUseTimedCounter();
}
void CLibrary::SetCassetteUseTimedCounter(bool timed)
{
    if (m_impl)
        m_impl->SetCassetteUseTimedCounter(timed);
}

// Value lists.
const CStringList& CLibrary::GetArtists() const
{
    return m_impl ? m_impl->GetArtists() : EmptyList();
}
const CStringList& CLibrary::GetActors() const
{
    return m_impl ? m_impl->GetActors() : EmptyList();
}
const CStringList& CLibrary::GetDirectors() const
{
    return m_impl ? m_impl->GetDirectors() : EmptyList();
}
const CStringList& CLibrary::GetAuthors() const
{
    return m_impl ? m_impl->GetAuthors() : EmptyList();
}
const CStringList& CLibrary::GetLocations() const
{
    return m_impl ? m_impl->GetLocations() : EmptyList();
}
const CStringList& CLibrary::GetManufacturers() const
{
    return m_impl ? m_impl->GetManufacturers() : EmptyList();
}
#define VEMO_REFRESH(Name, flag)                                                                                       \
    void CLibrary::Refresh##Name##List()                                                                               \
    {                                                                                                                  \
        if (m_impl)                                                                                                    \
            m_impl->RefreshLists(CLibraryImpl::flag);                                                                  \
    }
VEMO_REFRESH(Artists, LIST_ARTISTS)
VEMO_REFRESH(Actors, LIST_ACTORS)
VEMO_REFRESH(Directors, LIST_DIRECTORS)
VEMO_REFRESH(Authors, LIST_AUTHORS)
VEMO_REFRESH(Locations, LIST_LOCATIONS)
VEMO_REFRESH(Manufacturers, LIST_MANUFACTURERS)
#undef VEMO_REFRESH
void CLibrary::RefreshAllLists()
{
    if (m_impl)
        m_impl->RefreshLists(CLibraryImpl::LIST_ALL);
}
void CLibrary::GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy,
    CStringList& musicBy, CStringList& instrumentation) const
{
    if (m_impl)
        m_impl->GetSheetMusicLists(composers, arrangers, wordsBy, musicBy, instrumentation);
}

// Per media type.
void CLibrary::GetSortOrder(int mediaType, CString& primary, CString& secondary) const
{
    if (m_impl)
        m_impl->GetSortOrder(mediaType, primary, secondary);
}
void CLibrary::SetSortOrder(int mediaType, const CString& primary, const CString& secondary, bool force)
{
    if (m_impl)
        m_impl->SetSortOrder(mediaType, primary, secondary, force);
}
CString CLibrary::GetDefaultLocation(int mediaType) const
{
    return m_impl ? m_impl->GetDefaultLocation(mediaType) : CString();
}
void CLibrary::SetDefaultLocation(int mediaType, const CString& location)
{
    if (m_impl)
        m_impl->SetDefaultLocation(mediaType, location);
}
void CLibrary::RelocateMedia(int mediaType, const CString& location)
{
    if (m_impl)
        m_impl->RelocateMedia(mediaType, location);
}
CCustomFieldMgr* CLibrary::GetCustomFieldMgr(int mediaType) const
{
    return m_impl ? m_impl->GetCustomFieldMgr(mediaType) : nullptr;
}
CCustomPrintReport* CLibrary::GetCustomBasicReport(int mediaType) const
{
    return m_impl ? m_impl->GetCustomBasicReport(mediaType) : nullptr;
}
CLibraryIDSettings* CLibrary::GetLibraryIDFormatForID(int id) const
{
    return m_impl ? m_impl->GetLibraryIDFormatForID(id) : nullptr;
}
bool CLibrary::UpdateLibraryIDFormat(CLibraryIDSettings* settings, int id)
{
    return m_impl && m_impl->UpdateLibraryIDFormat(settings, id);
}
bool CLibrary::RefreshLibraryID(CVideoTape* tape)
{
    return m_impl && m_impl->RefreshLibraryID(tape);
}
void CLibrary::GetMediaTypeDataProps(const CMediaTypeSelection& selection, CStringList& props) const
{
    if (m_impl)
        m_impl->GetMediaTypeDataProps(selection, props);
}
void CLibrary::GetSupportedAudioFormats(int mediaType, bool& mono, bool& stereo, bool& sacd, bool& hdcd, bool& thx,
    bool& quadraphonic, bool& dolby, bool& dts, bool& channels) const
{
    mono = stereo = sacd = hdcd = thx = quadraphonic = dolby = dts = channels = false;
    if (m_impl)
        m_impl->GetSupportedAudioFormats(mediaType, mono, stereo, sacd, hdcd, thx, quadraphonic, dolby, dts, channels);
}

// Categories.
void CLibrary::AddCategory(CCategory* category)
{
    if (m_impl)
        m_impl->AddCategory(category);
}
void CLibrary::DeleteCategory(CCategory* category)
{
    if (m_impl)
        m_impl->DeleteCategory(category);
}
CCategory* CLibrary::GetCategory(int id) const
{
    CCategoryMgr* categories = m_impl ? CCategoryMgr::GetInstance() : nullptr;
    return categories ? categories->GetCategory(id) : nullptr;
}
CCategory* CLibrary::GetCategoryNone() const
{
    CCategoryMgr* categories = m_impl ? CCategoryMgr::GetInstance() : nullptr;
    return categories ? categories->GetCategoryNone() : nullptr;
}
POSITION CLibrary::GetHeadCategory() const
{
    CCategoryMgr* categories = m_impl ? CCategoryMgr::GetInstance() : nullptr;
    return categories ? categories->GetHeadPosition() : nullptr;
}
CCategory* CLibrary::GetNextCategory(POSITION& pos) const
{
    CCategoryMgr* categories = m_impl ? CCategoryMgr::GetInstance() : nullptr;
    return categories && pos ? categories->GetNext(pos) : nullptr;
}

// Custom fields.
bool CLibrary::DeleteCustomField(int mediaType, CCustomField* field)
{
    return m_impl && m_impl->DeleteCustomField(mediaType, field);
}
bool CLibrary::SwapCustomFields(int mediaType, CCustomField* a, CCustomField* b)
{
    return m_impl && m_impl->SwapCustomFields(mediaType, a, b);
}

// Custom field values.
void CLibrary::GatherCustomFieldDataForItem(const CItem* item, CMapStringToString& values) const
{
    if (m_impl)
        m_impl->GatherCustomFieldDataForItem(item, values);
}
void CLibrary::SetCustomFieldDataForItem(CItem* item, const CMapStringToString& values, bool apply)
{
    if (m_impl)
        m_impl->SetCustomFieldDataForItem(item, values, apply);
}
void CLibrary::SetDefaultCustomValues(CItem* item)
{
    if (m_impl)
        m_impl->SetDefaultCustomValues(item);
}

// Check-out.
CCheckoutSettings* CLibrary::GetCheckoutSettings() const
{
    return m_impl ? m_impl->GetCheckoutSettings() : nullptr;
}
void CLibrary::GetCheckedOutItems(CMediaItemList& items) const
{
    if (m_impl)
        m_impl->GetCheckedOutItems(items);
}
void CLibrary::GetReservedItems(CMediaItemList& items) const
{
    if (m_impl)
        m_impl->GetReservedItems(items);
}
int CLibrary::GetCheckedoutItemCount(int mediaType) const
{
    return m_impl ? m_impl->GetCheckedoutItemCount(mediaType) : 0;
}
int CLibrary::GetReservedItemCount(int mediaType) const
{
    return m_impl ? m_impl->GetReservedItemCount(mediaType) : 0;
}

// Media types shown, research entries.
CMediaTypeSelection* CLibrary::GetMediaTypes() const
{
    return m_impl ? m_impl->GetMediaTypes() : nullptr;
}
int CLibrary::GetResearchEntryCount() const
{
    return m_impl ? m_impl->GetResearchEntryCount() : 0;
}
CResearchEntry* CLibrary::GetResearchEntryAt(int index) const
{
    return m_impl ? m_impl->GetResearchEntryAt(index) : nullptr;
}
void CLibrary::UpdateResearchEntries(
    CArray<CResearchEntry*, CResearchEntry*>* toRemove, CArray<CResearchEntry*, CResearchEntry*>* toAdd)
{
    if (m_impl)
        m_impl->UpdateResearchEntries(toRemove, toAdd);
}

// Printed reports.
void CLibrary::AddCustomPrintReport(CCustomPrintReport* report)
{
    if (m_impl)
        m_impl->AddCustomPrintReport(report);
}
void CLibrary::DeleteCustomPrintReport(CCustomPrintReport* report)
{
    if (m_impl)
        m_impl->DeleteCustomPrintReport(report);
}
int CLibrary::GetCustomPrintReportCount() const
{
    return m_impl ? m_impl->GetCustomPrintReportCount() : 0;
}
CCustomPrintReport* CLibrary::GetCustomPrintReportAt(int index) const
{
    return m_impl ? m_impl->GetCustomPrintReportAt(index) : nullptr;
}
void CLibrary::PrepCustomPrintReport(
    CCustomPrintReport* report, bool allCategories, bool defaultColumns, bool allColumns, bool run)
{
    if (m_impl)
        m_impl->PrepCustomPrintReport(report, allCategories, defaultColumns, allColumns, run);
}
void CLibrary::GatherCustomPrintReportData(
    const CCustomPrintReport* report, CItem* item, CMapStringToString& values) const
{
    if (m_impl)
        m_impl->GatherCustomPrintReportData(report, item, values);
}

// Web reports.
void CLibrary::AddCustomWebReport(CCustomWebReport* report)
{
    if (m_impl)
        m_impl->AddCustomWebReport(report);
}
void CLibrary::DeleteCustomWebReport(CCustomWebReport* report)
{
    if (m_impl)
        m_impl->DeleteCustomWebReport(report);
}
int CLibrary::GetCustomWebReportCount() const
{
    return m_impl ? m_impl->GetCustomWebReportCount() : 0;
}
CCustomWebReport* CLibrary::GetCustomWebReportAt(int index) const
{
    return m_impl ? m_impl->GetCustomWebReportAt(index) : nullptr;
}
void CLibrary::AddDefaultCustomWebReports(const CString& templateDir, const CString& outputDir)
{
    if (m_impl)
        m_impl->AddDefaultCustomWebReports(templateDir, outputDir);
}
void CLibrary::RunCustomWebReport(CCustomWebReport* report, const CProgressCallback& progress)
{
    if (m_impl)
        m_impl->RunCustomWebReport(report, progress);
}

// Search and statistics.
void CLibrary::DoTextSearch(
    const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results) const
{
    if (m_impl)
        m_impl->DoTextSearch(options, selection, results);
}
bool CLibrary::PrepareSearch() const
{
    return m_impl && m_impl->PrepareSearch();
}
void CLibrary::StartSearchBuilding(CReadGate& gate) const
{
    if (m_impl)
        m_impl->StartSearchBuilding(gate);
}
bool CLibrary::IsSearchBuilding() const
{
    return m_impl && m_impl->IsSearchBuilding();
}
CMediaItem* CLibrary::FindDuplicate(const CMediaItem* item) const
{
    return m_impl ? m_impl->FindDuplicate(item) : nullptr;
}
void CLibrary::AddSearchString(const CString& text)
{
    if (m_impl)
        m_impl->AddSearchString(text);
}
void CLibrary::ClearSearchStrings()
{
    if (m_impl)
        m_impl->ClearSearchStrings();
}
int CLibrary::GetSearchStringCount() const
{
    return m_impl ? m_impl->GetSearchStringCount() : 0;
}
CString CLibrary::GetSearchStringAt(int index) const
{
    return m_impl ? m_impl->GetSearchStringAt(index) : CString();
}
int CLibrary::GetTotalItemCount(int mediaType) const
{
    return m_impl ? m_impl->GetTotalItemCount(mediaType) : 0;
}
double CLibrary::GetTotalValue(int mediaType) const
{
    return m_impl ? m_impl->GetTotalValue(mediaType) : 0.0;
}

CMediaItem* CLibrary::Import(int mediaType, const CMapStringToString& values, bool overwrite)
{
    return m_impl ? m_impl->Import(mediaType, values, overwrite) : nullptr;
}
