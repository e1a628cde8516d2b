#include "data/store/LibraryImpl.h"

#include <algorithm>
#include <vector>

#include "data/model/CassetteRecording.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/MediaValueLists.h"
#include "data/model/PersonMgr.h"
#include "data/model/VideoMedia.h"
#include "data/model/VideoTape.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/WebReportTags.h"
#include "data/store/CustomField.h"
#include "data/store/ItemSort.h"
#include "data/store/LibrarySearch.h"
#include "data/store/MagazineIssueMediaMgr.h"
#include "data/store/MediaMgr.h"
#include "data/store/VideoTapeMediaMgr.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

namespace {

using U = CMediaUtils;

// The smallest report record (empty name, empty selection, no categories),
// against which a stored report count is checked.
constexpr std::size_t MIN_REPORT_RECORD = 21;

void SetDefaultFontOrLog(CFont& font, const char* guid)
{
    if (!CGraphicsUtils::SetDefaultFont(&font))
        VemoLog(guid);
}

// The manager a type's row names.
CMediaMgr* CreateMediaMgr(const CMediaTypeInfo& info)
{
    switch (info.managerKind) {
    case CMediaMgrKind::magazineIssue:
        return new CMagazineIssueMediaMgr();
    case CMediaMgrKind::videoTape:
        return new CVideoTapeMediaMgr();
    case CMediaMgrKind::generic:
        break;
    }
    return new CMediaMgr(info.mediaType);
}

} // namespace

CLibraryImpl::CLibraryImpl(bool setDefaultMediaTypes, bool ownsSharedLists)
    : m_ownsSharedLists(false)
    , m_search(std::make_unique<CLibrarySearch>(*this))
{
    SetDefaultFontOrLog(m_printHeaderFont, "{070527CB-08C8-458D-B97C-8B0F7F291167}");
    SetDefaultFontOrLog(m_printContentFont, "{33BB023F-7DF6-459A-8333-ED575B0C39E6}");
    SetDefaultFontOrLog(m_printFooterFont, "{021A6AA1-41C2-4679-8204-F37E23FDF9B2}");
    CCategoryMgr::GetInstance();
    for (int i = 0; i < CMediaRegistry::TYPE_COUNT; ++i)
        m_mediaMgrs[i].reset(CreateMediaMgr(CMediaRegistry::GetAt(i)));
    if (setDefaultMediaTypes) {
        for (int type : { U::MEDIA_BOOK, U::MEDIA_CD, U::MEDIA_DVD, U::MEDIA_SOFTWARE, U::MEDIA_VIDEOTAPE })
            m_mediaTypes.SetShow(type, true);
    }
    m_researchEntries.AddDefaultEntries();
    SetOwnsSharedLists(ownsSharedLists);
    // The program's library sets the class-wide counter setting; a library
    // made only to read a file into does not.
    if (ownsSharedLists)
        CCassetteRecording::SetUseTimedCounter(m_cassetteUseTimedCounter);
}

CLibraryImpl::~CLibraryImpl()
{
    // A worker making search indexes reads the items.
    m_search->StopBuilding();
    CCategoryMgr::ClearCreatedHook(this);
    for (CCustomWebReport* report : m_customWebReports)
        delete report;
    for (CCustomPrintReport* report : m_customPrintReports)
        delete report;
    // Items release their categories while the category list still exists.
    for (auto& mgr : m_mediaMgrs)
        mgr.reset();
    if (m_ownsSharedLists) {
        CCategoryMgr::DeleteInstance();
        CWebReportTags::DeleteInstance();
    }
}

// ---------------------------------------------------------------------------
// The file body

void CLibraryImpl::SerializeFolders(CArchive& ar)
{
    CString* folders[] = { &m_pathImport, &m_pathExport, &m_pathWebReportOutput, &m_pathUserWebReportTemplate,
        &m_pathWebReportImage, &m_pathCustomFieldDefault };
    if (ar.IsStoring()) {
        for (CString* folder : folders)
            ar.WriteString(*folder);
        return;
    }
    const CString before = m_pathImport;
    CString read[6];
    for (CString& folder : read) {
        folder = ar.ReadString();
        CDirUtils::EnsureTrailingBackslash(folder);
    }
    // A folder that is gone falls back to the folder in effect before
    // loading; the web report output and template folders become empty.
    for (int i = 0; i < 6; ++i) {
        if (CDirUtils::DoesDirExist(read[i]))
            *folders[i] = read[i];
        else
            *folders[i] = (i == 2 || i == 3) ? CString() : before;
    }
}

template <class TReport> void CLibraryImpl::SortReports(CArray<TReport*, TReport*>& reports)
{
    std::sort(reports.begin(), reports.end(), [](const TReport* a, const TReport* b) {
        if (!a || !b)
            return a && !b;
        return CStringUtils::CompareNoCase(a->GetName(), b->GetName()) < 0;
    });
}

namespace {

// A report array: version word (1), count, the records. Loading replaces the
// array only when every record was read whole.
template <class TReport, class FWrite>
void SerializeReportArray(CArchive& ar, CArray<TReport*, TReport*>& reports, FWrite write)
{
    ar.SerializeVersion(1);
    if (ar.IsStoring()) {
        ar.WriteInt(static_cast<std::int32_t>(reports.GetSize()));
        for (TReport* report : reports)
            write(*report);
        return;
    }
    const std::int32_t count = ar.ReadCount(MIN_REPORT_RECORD);
    CArray<TReport*, TReport*> loaded;
    try {
        for (std::int32_t i = 0; i < count; ++i) {
            auto* report = new TReport();
            try {
                report->Serialize(ar);
            } catch (...) {
                delete report;
                throw;
            }
            loaded.Add(report);
        }
    } catch (...) {
        for (TReport* report : loaded)
            delete report;
        throw;
    }
    for (TReport* report : reports)
        delete report;
    reports.swap(loaded);
}

} // namespace

void CLibraryImpl::SerializeWebReports(CArchive& ar, bool earlier)
{
    SerializeReportArray(ar, m_customWebReports, [&ar, earlier](CCustomWebReport& report) {
        if (earlier)
            report.SerializeVersion1(ar);
        else
            report.Serialize(ar);
    });
    if (ar.IsLoading())
        SortReports(m_customWebReports);
}

void CLibraryImpl::SerializePrintReports(CArchive& ar)
{
    SerializeReportArray(ar, m_customPrintReports, [&ar](CCustomPrintReport& report) { report.Serialize(ar); });
    if (ar.IsLoading())
        SortReports(m_customPrintReports);
}

void CLibraryImpl::Serialize(CArchive& ar, bool earlier)
{
    ar.SerializeVersion(1);
    if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
        categories->Serialize(ar);
    bool timedCounter = m_cassetteUseTimedCounter;
    ar.Serialize(timedCounter);
    ar.Serialize(m_printPortrait);
    std::int32_t region = m_defaultDVDRegion;
    ar.Serialize(region);
    m_defaultDVDRegion = region;
    ar.Serialize(m_notes);
    SerializeFolders(ar);
    for (COLORREF* color : { &m_printHeaderTextColor, &m_printContentTextColor, &m_printFooterTextColor }) {
        if (ar.IsStoring())
            ar.WriteUInt(*color);
        else
            *color = ar.ReadUInt();
    }
    CGraphicsUtils::SerializeFont(&m_printHeaderFont, ar);
    CGraphicsUtils::SerializeFont(&m_printContentFont, ar);
    CGraphicsUtils::SerializeFont(&m_printFooterFont, ar);
    for (auto& mgr : m_mediaMgrs)
        mgr->Serialize(ar, earlier);
    SerializeWebReports(ar, earlier);
    SerializePrintReports(ar);
    m_researchEntries.Serialize(ar);
    m_mediaTypes.Serialize(ar);
    m_checkoutSettings.Serialize(ar);
    ar.Serialize(m_searchStrings);
    if (ar.IsLoading()) {
        SetCassetteUseTimedCounter(timedCounter);
        m_staleLists = LIST_ALL;
        m_search->ForgetAll();
    }
}

// ---------------------------------------------------------------------------
// Items

CMediaMgr* CLibraryImpl::GetMediaMgr(int id) const
{
    const int index = CMediaRegistry::GetFileIndex(CMediaRegistry::ToMediaType(id));
    return index >= 0 ? m_mediaMgrs[index].get() : nullptr;
}

CVideoTapeMediaMgr* CLibraryImpl::GetVideoTapeMgr() const
{
    return static_cast<CVideoTapeMediaMgr*>(GetMediaMgr(U::MEDIA_VIDEOTAPE));
}

int CLibraryImpl::GetItemCount(int mediaType) const
{
    const CMediaMgr* mgr = GetMediaMgr(mediaType);
    return mgr ? mgr->GetItemCount() : 0;
}

POSITION CLibraryImpl::GetHeadItem(int mediaType) const
{
    const CMediaMgr* mgr = GetMediaMgr(mediaType);
    return mgr ? mgr->GetHeadItem() : nullptr;
}

CMediaItem* CLibraryImpl::GetNextItem(int mediaType, POSITION& pos) const
{
    const CMediaMgr* mgr = GetMediaMgr(mediaType);
    return mgr && pos ? mgr->GetNextItem(pos) : nullptr;
}

CMediaItem* CLibraryImpl::CreateMediaItem(int mediaType, CMediaItem* source)
{
    CMediaMgr* mgr = GetMediaMgr(mediaType);
    if (!mgr)
        return nullptr;
    CMediaItem* item = mgr->CreateItem(source, mediaType, true);
    if (!item)
        return nullptr;
    // A copy keeps its own region and custom values.
    if (!mgr->IsOwnItem(source)) {
        if (auto* video = dynamic_cast<CVideoMedia*>(item))
            video->SetRegion(m_defaultDVDRegion);
        mgr->SetDefaultCustomValues(item);
    }
    mgr->Sort();
    return item;
}

void CLibraryImpl::DeleteItem(CMediaItem* item)
{
    CMediaMgr* mgr = item ? GetMediaMgr(CMediaUtils::GetItemMediaID(item)) : nullptr;
    if (!mgr || !mgr->HoldsItem(item))
        return;
    m_search->Forget(item);
    mgr->DeleteItem(item);
}

void CLibraryImpl::DeleteItems(int mediaType)
{
    if (CMediaUtils::IsVideoTapeFormatID(mediaType)) {
        DeleteItemsVT(mediaType);
        return;
    }
    if (CMediaMgr* mgr = GetMediaMgr(mediaType)) {
        m_search->ForgetAll();
        mgr->DeleteAllItems();
    }
}

void CLibraryImpl::DeleteItemsVT(int videoTapeFormat)
{
    if (!CMediaUtils::IsVideoTapeFormatID(videoTapeFormat))
        return;
    m_search->ForgetAll();
    GetVideoTapeMgr()->DeleteItemsOfFormat(videoTapeFormat);
}

bool CLibraryImpl::GetHaveMediaType(int mediaType) const
{
    return GetItemCount(mediaType) > 0;
}

void CLibraryImpl::GetMediaItems(const CMediaTypeSelection& selection, CMediaItemList& items) const
{
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        if (selection.GetShow(type))
            for (CMediaItem* item : GetMediaMgr(type)->GetItems())
                items.AddTail(item);
}

void CLibraryImpl::GetItemListTexts(int mediaType, CStringArray& texts) const
{
    texts.RemoveAll();
    if (const CMediaMgr* mgr = GetMediaMgr(mediaType))
        CItemSort::GetListTexts(mgr->GetItems(), mgr->GetPrimarySort(), texts);
}

CMediaItem* CLibraryImpl::Import(int mediaType, const CMapStringToString& values, bool overwrite)
{
    CMediaMgr* mgr = GetMediaMgr(mediaType);
    if (!mgr || values.IsEmpty())
        return nullptr;
    CMediaItem* item = mgr->Import(values, overwrite, m_defaultDVDRegion);
    m_search->Forget(item);
    return item;
}

void CLibraryImpl::NoteItemChanged(const CItem* item)
{
    if (!item)
        return;
    m_search->Forget(item);
    if (CMediaMgr* mgr = GetMediaMgr(CMediaUtils::GetItemMediaID(item))) {
        mgr->InvalidateIndex();
        mgr->MarkUnsorted();
    }
}

void CLibraryImpl::NoteItemsChanged()
{
    m_search->ForgetAll();
    for (auto& mgr : m_mediaMgrs) {
        mgr->InvalidateIndex();
        mgr->MarkUnsorted();
    }
}

// ---------------------------------------------------------------------------
// Settings and value lists

void CLibraryImpl::SetPathCustomWebReportOutput(const CString& path)
{
    m_pathWebReportOutput = CDirUtils::WithTrailingSeparator(path);
}

void CLibraryImpl::SetPathUserCustomWebReportTemplate(const CString& path)
{
    m_pathUserWebReportTemplate = CDirUtils::WithTrailingSeparator(path);
}

void CLibraryImpl::SetPathCustomWebReportImage(const CString& path)
{
    m_pathWebReportImage = CDirUtils::WithTrailingSeparator(path);
}

void CLibraryImpl::SetCassetteUseTimedCounter(bool timed)
{
    m_cassetteUseTimedCounter = timed;
    CCassetteRecording::SetUseTimedCounter(timed);
}

void CLibraryImpl::RefreshLists(unsigned lists)
{
    CMediaValueLists values;
    const std::pair<unsigned, CStringList*> targets[] = {
        { LIST_ARTISTS, &m_artists },
        { LIST_ACTORS, &m_actors },
        { LIST_DIRECTORS, &m_directors },
        { LIST_AUTHORS, &m_authors },
        { LIST_LOCATIONS, &m_locations },
        { LIST_MANUFACTURERS, &m_manufacturers },
    };
    CStringList** slots[] = { &values.m_artists, &values.m_actors, &values.m_directors, &values.m_authors,
        &values.m_locations, &values.m_manufacturers };
    for (int i = 0; i < 6; ++i) {
        if (lists & targets[i].first) {
            targets[i].second->RemoveAll();
            *slots[i] = targets[i].second;
        }
    }
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        GetMediaMgr(type)->AddValues(values);
    for (const auto& [flag, list] : targets)
        if (lists & flag)
            CStringUtils::RemoveDuplicates(*list);
    m_staleLists &= ~lists;
}

void CLibraryImpl::GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy,
    CStringList& musicBy, CStringList& instrumentation) const
{
    CMediaValueLists values;
    values.m_composers = &composers;
    values.m_arrangers = &arrangers;
    values.m_wordsBy = &wordsBy;
    values.m_musicBy = &musicBy;
    values.m_instrumentations = &instrumentation;
    for (CStringList* list : { &composers, &arrangers, &wordsBy, &musicBy, &instrumentation })
        list->RemoveAll();
    GetMediaMgr(U::MEDIA_SHEETMUSIC)->AddValues(values);
    for (CStringList* list : { &composers, &arrangers, &wordsBy, &musicBy, &instrumentation })
        CStringUtils::RemoveDuplicates(*list);
}

// ---------------------------------------------------------------------------
// Per media type

void CLibraryImpl::GetSortOrder(int mediaType, CString& primary, CString& secondary) const
{
    if (const CMediaMgr* mgr = GetMediaMgr(mediaType)) {
        primary = mgr->GetPrimarySort();
        secondary = mgr->GetSecondarySort();
    }
}

void CLibraryImpl::SetSortOrder(int mediaType, const CString& primary, const CString& secondary, bool force)
{
    if (CMediaMgr* mgr = GetMediaMgr(mediaType))
        mgr->SetSortOrder(primary, secondary, force);
}

CString CLibraryImpl::GetDefaultLocation(int id) const
{
    const CMediaMgr* mgr = GetMediaMgr(id);
    return mgr ? mgr->GetDefaultLocation(id) : CString();
}

void CLibraryImpl::SetDefaultLocation(int id, const CString& location)
{
    if (CMediaMgr* mgr = GetMediaMgr(id))
        mgr->SetDefaultLocation(id, location);
}

void CLibraryImpl::RelocateMedia(int id, const CString& location)
{
    if (CMediaMgr* mgr = GetMediaMgr(id)) {
        mgr->RelocateMedia(id, location);
        m_search->ForgetAll();
    }
}

CCustomFieldMgr* CLibraryImpl::GetCustomFieldMgr(int mediaType) const
{
    CMediaMgr* mgr = U::IsValidMediaID(mediaType) ? GetMediaMgr(mediaType) : nullptr;
    return mgr ? &mgr->GetCustomFieldMgr() : nullptr;
}

CCustomPrintReport* CLibraryImpl::GetCustomBasicReport(int mediaType) const
{
    CMediaMgr* mgr = U::IsValidMediaID(mediaType) ? GetMediaMgr(mediaType) : nullptr;
    return mgr ? &mgr->GetBasicReport() : nullptr;
}

CLibraryIDSettings* CLibraryImpl::GetLibraryIDFormatForID(int id) const
{
    CMediaMgr* mgr = GetMediaMgr(id);
    return mgr ? mgr->GetLibraryIDSettings(id) : nullptr;
}

bool CLibraryImpl::UpdateLibraryIDFormat(CLibraryIDSettings* settings, int id)
{
    CMediaMgr* mgr = settings ? GetMediaMgr(id) : nullptr;
    if (!mgr || !mgr->UpdateLibraryIDFormat(*settings, id))
        return false;
    m_search->ForgetAll();
    return true;
}

bool CLibraryImpl::RefreshLibraryID(CVideoTape* tape)
{
    if (!tape)
        return false;
    m_search->Forget(tape);
    return GetVideoTapeMgr()->RefreshLibraryID(*tape);
}

void CLibraryImpl::GetMediaTypeDataProps(const CMediaTypeSelection& selection, CStringList& props) const
{
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
        if (!selection.GetShow(type))
            continue;
        for (const CStringArray* arr :
            { &CMediaRegistry::GetDataProps(type), &CMediaRegistry::GetSubItemDataProps(type) })
            for (const CString& prop : *arr)
                if (!props.Find(prop))
                    props.AddTail(prop);
    }
}

void CLibraryImpl::GetSupportedAudioFormats(int mediaType, bool& mono, bool& stereo, bool& sacd, bool& hdcd, bool& thx,
    bool& quadraphonic, bool& dolby, bool& dts, bool& channels) const
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(CMediaRegistry::ToMediaType(mediaType));
    const unsigned formats = info ? info->audioFormats : 0;
    mono = formats & AUDIO_MONO;
    stereo = formats & AUDIO_STEREO;
    sacd = formats & AUDIO_SACD;
    hdcd = formats & AUDIO_HDCD;
    thx = formats & AUDIO_THX;
    quadraphonic = formats & AUDIO_QUADRAPHONIC;
    dolby = formats & AUDIO_DOLBY;
    dts = formats & AUDIO_DTS;
    channels = formats & AUDIO_CHANNELS;
}

// ---------------------------------------------------------------------------
// Categories

void CLibraryImpl::AddCategory(CCategory* category)
{
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!category || !categories || !categories->Add(category))
        return;
    // The owner was told by the hook already; entering twice changes nothing.
    EnterCategoryInReports(category->GetUniqueID());
}

void CLibraryImpl::EnterCategoryInReports(int id)
{
    for (CCustomWebReport* report : m_customWebReports)
        report->AddCategory(id);
    for (CCustomPrintReport* report : m_customPrintReports)
        report->AddCategory(id);
}

void CLibraryImpl::SetOwnsSharedLists(bool owns)
{
    if (owns == m_ownsSharedLists)
        return;
    m_ownsSharedLists = owns;
    if (owns)
        CCategoryMgr::SetCreatedHook(this, [this](int id) { EnterCategoryInReports(id); });
    else
        CCategoryMgr::ClearCreatedHook(this);
}

void CLibraryImpl::DeleteCategory(CCategory* category)
{
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!category || !categories)
        return;
    const int id = category->GetUniqueID();
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        GetMediaMgr(type)->OnCategoryDeleted(id);
    for (CCustomWebReport* report : m_customWebReports)
        report->RemoveCategory(id);
    for (CCustomPrintReport* report : m_customPrintReports)
        report->RemoveCategory(id);
    categories->Remove(category);
    m_search->ForgetAll();
}

// ---------------------------------------------------------------------------
// Custom field values

bool CLibraryImpl::DeleteCustomField(int mediaType, CCustomField* field)
{
    CMediaMgr* mgr = U::IsValidMediaID(mediaType) ? GetMediaMgr(mediaType) : nullptr;
    if (!mgr || !mgr->DeleteCustomField(field))
        return false;
    m_search->ForgetAll();
    return true;
}

bool CLibraryImpl::SwapCustomFields(int mediaType, CCustomField* a, CCustomField* b)
{
    CMediaMgr* mgr = U::IsValidMediaID(mediaType) ? GetMediaMgr(mediaType) : nullptr;
    return mgr && mgr->SwapCustomFields(a, b);
}

void CLibraryImpl::GatherCustomFieldDataForItem(const CItem* item, CMapStringToString& values) const
{
    if (const CMediaMgr* mgr = item ? GetMediaMgr(CMediaUtils::GetItemMediaID(item)) : nullptr)
        mgr->GatherCustomFieldData(item, values);
}

void CLibraryImpl::SetCustomFieldDataForItem(CItem* item, const CMapStringToString& values, bool apply)
{
    if (const CMediaMgr* mgr = item ? GetMediaMgr(CMediaUtils::GetItemMediaID(item)) : nullptr) {
        mgr->SetCustomFieldData(item, values, apply);
        m_search->Forget(item);
    }
}

void CLibraryImpl::SetDefaultCustomValues(CItem* item)
{
    if (const CMediaMgr* mgr = item ? GetMediaMgr(CMediaUtils::GetItemMediaID(item)) : nullptr) {
        mgr->SetDefaultCustomValues(item);
        m_search->Forget(item);
    }
}

// ---------------------------------------------------------------------------
// Check-out

void CLibraryImpl::GetLentItems(bool reserved, CMediaItemList& items) const
{
    const CCheckOut::State wanted = reserved ? CCheckOut::stateReserved : CCheckOut::stateCheckedOut;
    std::vector<CMediaItem*> found;
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        for (CMediaItem* item : GetMediaMgr(type)->GetItems())
            if (item && item->PeekCheckOut() && item->PeekCheckOut()->GetCurrentState() == wanted)
                found.push_back(item);

    const CPersonMgr* persons = CPersonMgr::GetInstance();
    auto entryOf = [reserved](const CMediaItem* item) -> const CCheckOutState* {
        const CCheckOut* history = item ? item->PeekCheckOut() : nullptr;
        if (!history)
            return nullptr;
        return reserved ? history->GetReservedTo() : history->GetCheckedOutTo();
    };
    auto personOf = [persons](const CCheckOutState* entry) -> const CPerson* {
        return persons ? persons->GetPerson(entry->GetPersonID()) : nullptr;
    };
    // Keys first, so that each person's name is formed once.
    struct CKeyed {
        CMediaItem* item;
        int rank; // 0 a known person, 1 an unknown one, 2 no entry
        int personID;
        CString name;
    };
    std::vector<CKeyed> keyed;
    keyed.reserve(found.size());
    for (CMediaItem* item : found) {
        const CCheckOutState* entry = entryOf(item);
        const CPerson* person = entry ? personOf(entry) : nullptr;
        keyed.push_back({ item, entry ? (person ? 0 : 1) : 2, entry ? entry->GetPersonID() : 0,
            person ? person->FormName(false) : CString() });
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const CKeyed& a, const CKeyed& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.rank != 0 || a.personID == b.personID)
            return false;
        return CStringUtils::CompareNoCase(a.name, b.name) < 0;
    });
    for (const CKeyed& k : keyed)
        items.AddTail(k.item);
}

void CLibraryImpl::GetCheckedOutItems(CMediaItemList& items) const
{
    GetLentItems(false, items);
}

void CLibraryImpl::GetReservedItems(CMediaItemList& items) const
{
    GetLentItems(true, items);
}

namespace {

template <class F> void ForEachCovered(const CMediaMgr* mgr, int id, F f)
{
    if (!mgr)
        return;
    const bool format = CMediaUtils::IsVideoTapeFormatID(id);
    for (const CMediaItem* item : mgr->GetItemsAsStored())
        if (item && (!format || static_cast<const CVideoTape*>(item)->GetFormatID() == id))
            f(*item);
}

int CountState(const CMediaMgr* mgr, int id, CCheckOut::State state)
{
    int count = 0;
    ForEachCovered(mgr, id, [&](const CMediaItem& item) {
        if (item.PeekCheckOut() && item.PeekCheckOut()->GetCurrentState() == state)
            ++count;
    });
    return count;
}

} // namespace

int CLibraryImpl::GetCheckedoutItemCount(int mediaType) const
{
    return CountState(GetMediaMgr(mediaType), mediaType, CCheckOut::stateCheckedOut);
}

int CLibraryImpl::GetReservedItemCount(int mediaType) const
{
    return CountState(GetMediaMgr(mediaType), mediaType, CCheckOut::stateReserved);
}

int CLibraryImpl::GetTotalItemCount(int mediaType) const
{
    if (U::IsValidMediaID(mediaType))
        return GetItemCount(mediaType);
    int count = 0;
    ForEachCovered(GetMediaMgr(mediaType), mediaType, [&](const CMediaItem&) { ++count; });
    return count;
}

double CLibraryImpl::GetTotalValue(int mediaType) const
{
    double total = 0.0;
    ForEachCovered(GetMediaMgr(mediaType), mediaType, [&](const CMediaItem& item) { total += item.GetPrice(); });
    return total;
}

// ---------------------------------------------------------------------------
// Research entries

void CLibraryImpl::UpdateResearchEntries(
    CArray<CResearchEntry*, CResearchEntry*>* toRemove, CArray<CResearchEntry*, CResearchEntry*>* toAdd)
{
    if (!toRemove || !toAdd)
        return;
    for (CResearchEntry* entry : *toAdd)
        m_researchEntries.Add(entry);
    for (CResearchEntry* entry : *toRemove)
        m_researchEntries.Remove(entry);
}

// ---------------------------------------------------------------------------
// Reports

void CLibraryImpl::AddCustomPrintReport(CCustomPrintReport* report)
{
    if (!report)
        return;
    m_customPrintReports.Add(report);
    SortReports(m_customPrintReports);
}

void CLibraryImpl::DeleteCustomPrintReport(CCustomPrintReport* report)
{
    if (!report)
        return;
    auto found = std::find(m_customPrintReports.begin(), m_customPrintReports.end(), report);
    if (found != m_customPrintReports.end())
        m_customPrintReports.erase(found);
    delete report;
}

CCustomPrintReport* CLibraryImpl::GetCustomPrintReportAt(int index) const
{
    return index >= 0 && index < GetCustomPrintReportCount() ? m_customPrintReports.GetAt(index) : nullptr;
}

void CLibraryImpl::PrepCustomPrintReport(
    CCustomPrintReport* report, bool allCategories, bool defaultColumns, bool allColumns, bool run)
{
    if (!report)
        return;
    if (allCategories) {
        report->ClearCategoryList();
        if (const CCategoryMgr* categories = CCategoryMgr::GetInstance())
            for (POSITION pos = categories->GetHeadPosition(); pos;)
                report->AddCategory(categories->GetNext(pos)->GetUniqueID());
    }
    const CMediaTypeSelection& selection = report->GetMediaIDs();
    if (defaultColumns) {
        report->ClearColumns();
        if (!selection.HaveSelection())
            return;
        if (selection.HaveMultiMedia())
            report->AddColumn(U::MEDIA_PROP_MEDIA);
        bool first = true;
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
            if (!selection.GetShow(type))
                continue;
            CCustomPrintReport scratch;
            scratch.GetMediaIDs().SetShow(type, true);
            GetMediaMgr(type)->PrepareBasicReport(scratch, allColumns);
            for (int i = 0; i < scratch.GetColumnCount(); ++i) {
                const CString column = scratch.GetColumnAt(i);
                bool present = false;
                for (int j = 0; j < report->GetColumnCount() && !present; ++j)
                    present = report->GetColumnAt(j) == column;
                if (first || !present)
                    report->AddColumn(column);
            }
            first = false;
        }
        report->SetName(m_name + " " + report->GetName());
    }
    if (run) {
        const bool subItems = report->NeedsSubItems(this);
        CItemList items;
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
            if (selection.GetShow(type))
                GetMediaMgr(type)->AppendItems(items, subItems);
        report->Run(items, this, 0, CProgressCallback());
    }
}

void CLibraryImpl::GatherCustomPrintReportData(
    const CCustomPrintReport* report, CItem* item, CMapStringToString& values) const
{
    if (!report || !item)
        return;
    values.RemoveAll();
    for (int i = 0; i < report->GetColumnCount(); ++i)
        values.SetAt(report->GetColumnAt(i), CString());
    item->GetData(values);
    GatherCustomFieldDataForItem(item, values);
}

void CLibraryImpl::AddCustomWebReport(CCustomWebReport* report)
{
    if (!report)
        return;
    if (report->GetCategoryCount() == 0)
        if (const CCategoryMgr* categories = CCategoryMgr::GetInstance())
            for (POSITION pos = categories->GetHeadPosition(); pos;)
                report->AddCategory(categories->GetNext(pos)->GetUniqueID());
    m_customWebReports.Add(report);
    SortReports(m_customWebReports);
}

void CLibraryImpl::DeleteCustomWebReport(CCustomWebReport* report)
{
    if (!report)
        return;
    auto found = std::find(m_customWebReports.begin(), m_customWebReports.end(), report);
    if (found != m_customWebReports.end())
        m_customWebReports.erase(found);
    delete report;
}

CCustomWebReport* CLibraryImpl::GetCustomWebReportAt(int index) const
{
    return index >= 0 && index < GetCustomWebReportCount() ? m_customWebReports.GetAt(index) : nullptr;
}

namespace {

struct CLevel {
    const char* templateFile;
    CString sortProp1;
    CString sortProp2;
};

// The levels of a media type's default web report, by its group.
std::vector<CLevel> DefaultLevels(int type)
{
    bool recordable = false;
    if (type == U::MEDIA_BOOK)
        return { { "Books.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "BookEntry.htm", "", "" } };
    if (type == U::MEDIA_MAGAZINE)
        return { { "MagsByMag1.htm", U::MEDIA_PROP_MAGAZINE, "" }, { "MagsByMag2.htm", U::MEDIA_PROP_MAGISSUE, "" },
            { "MagsByMag3.htm", U::MEDIA_PROP_PAGE, "" } };
    if (type == U::MEDIA_SHEETMUSIC)
        return { { "Sheetmusic.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_COMPOSER } };
    if (type == U::MEDIA_SOFTWARE)
        return { { "Software.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_VERSION } };
    if (type == U::MEDIA_VIDEOGAME)
        return { { "VideoGames.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER } };
    if (U::IsMediaTypeAudio(type, recordable)) {
        if (recordable)
            return { { "AudioRecordableMedia1.htm", U::MEDIA_PROP_LIBRARYID, "" },
                { "AudioRecordableMedia2.htm", "", "" } };
        return { { "AudioMedia1.htm", U::MEDIA_PROP_ARTIST, "" }, { "AudioMedia2.htm", U::MEDIA_PROP_YEAR, "" } };
    }
    if (U::IsMediaTypeVideo(type, recordable) && recordable)
        return { { "VideoRecordableMedia1.htm", U::MEDIA_PROP_LIBRARYID, "" },
            { "VideoRecordableMedia2.htm", "", "" } };
    return { { "VideoMedia.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "VideoEntry.htm", "", "" } };
}

} // namespace

void CLibraryImpl::AddDefaultCustomWebReports(const CString& templateDir, const CString& outputDir)
{
    if (templateDir.empty() || outputDir.empty())
        return;
    const CString templates = CDirUtils::WithTrailingSeparator(templateDir);
    const CString output = CDirUtils::WithTrailingSeparator(outputDir);
    auto add = [&](const CString& name, const CMediaTypeSelection& types, const std::vector<CLevel>& levels) {
        auto* report = new CCustomWebReport();
        report->SetName(name);
        report->SetHomePage(output + CFileUtils::ReplaceBadFileChars(name) + ".htm", false);
        report->GetMediaIDs() = types;
        for (std::size_t i = 0; i < levels.size(); ++i)
            report->SetPageLevel(
                static_cast<int>(i) + 1, templates + levels[i].templateFile, levels[i].sortProp1, levels[i].sortProp2);
        AddCustomWebReport(report);
    };
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
        CMediaTypeSelection only;
        only.SetShow(type, true);
        add(U::GetMediaNamePlural(type), only, DefaultLevels(type));
    }
    CMediaTypeSelection video;
    video.SetShowAllVideo();
    CMediaTypeSelection actors = video;
    actors.SetShow(U::MEDIA_VIDEOGAME, false);
    CMediaTypeSelection audio;
    audio.SetShowAllAudio();
    CMediaTypeSelection books;
    books.SetShow(U::MEDIA_BOOK, true);
    add("Actors", actors,
        { { "Actors1.htm", U::MEDIA_PROP_LEADACTOR, "" },
            { "Actors2.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "VideoEntry.htm", "", "" } });
    add("Artists", audio,
        { { "AudioMedia1.htm", U::MEDIA_PROP_ARTIST, "" }, { "AudioMedia2.htm", U::MEDIA_PROP_YEAR, "" } });
    add("Authors", books,
        { { "Authors1.htm", U::MEDIA_PROP_AUTHOR, "" },
            { "Authors2.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "BookEntry.htm", "", "" } });
    add("Movies", video,
        { { "Movies1.htm", U::MEDIA_PROP_CATEGORY, "" },
            { "Movies2.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "VideoEntry.htm", "", "" } });
    add("Music", audio,
        { { "Music1.htm", U::MEDIA_PROP_CATEGORY, "" }, { "Music2.htm", U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_TITLE },
            { "Music3.htm", "", "" } });
}

void CLibraryImpl::RunCustomWebReport(CCustomWebReport* report, const CProgressCallback& progress)
{
    if (!report)
        return;
    const CMediaTypeSelection& selection = report->GetMediaIDs();
    // Either sort property of level 1 may ask for sub-item rows.
    const bool magazines = selection.GetShow(U::MEDIA_MAGAZINE);
    const bool subItems = CMediaUtils::IsDataPropSubItemProp(report->GetSortProp1(1), magazines)
        || CMediaUtils::IsDataPropSubItemProp(report->GetSortProp2(1), magazines);
    CItemList items;
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        if (selection.GetShow(type))
            GetMediaMgr(type)->AppendItems(items, subItems);
    report->Run(items, this, 0, progress);
}

// ---------------------------------------------------------------------------
// Search

void CLibraryImpl::DoTextSearch(
    const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results) const
{
    m_search->Search(options, selection, results);
}

bool CLibraryImpl::PrepareSearch() const
{
    return m_search->PrepareNext();
}

void CLibraryImpl::StartSearchBuilding(CReadGate& gate) const
{
    m_search->StartBuilding(gate);
}

bool CLibraryImpl::IsSearchBuilding() const
{
    return m_search->IsBuilding();
}

CMediaItem* CLibraryImpl::FindDuplicate(const CMediaItem* item) const
{
    const CMediaMgr* mgr = item ? GetMediaMgr(CMediaUtils::GetItemMediaID(item)) : nullptr;
    return mgr ? mgr->FindDuplicate(item) : nullptr;
}

CString CLibraryImpl::GetSearchStringAt(int index) const
{
    return index >= 0 && index < GetSearchStringCount() ? m_searchStrings.GetAt(index) : CString();
}
