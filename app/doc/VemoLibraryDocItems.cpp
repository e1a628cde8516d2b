// The document's item operations for the media views.

#include <algorithm>

#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/NotAvailableDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/model/Category.h"
#include "data/store/Library.h"
#include "data/store/LibraryIDSettings.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaRegistry.h"
#include "platform/util/StringUtils.h"

CMediaItem* CVemoLibraryDoc::CreateMediaItem(int mediaType, CMediaItem* source)
{
    if (!GetLibrary())
        return nullptr;
    // The library sorts the new item in and tells its search and indexes;
    // marking the item changed would only make it sort the list again.
    CMediaItem* item = GetLibrary()->CreateMediaItem(mediaType, source);
    if (item)
        MarkModified();
    return item;
}

void CVemoLibraryDoc::DeleteItem(CMediaItem* item)
{
    if (!GetLibrary() || !item)
        return;
    if (CLibrarySearchDlg* search = GetSearchDlg())
        search->ForgetItems([item](const CMediaItem* medium) { return medium == item; });
    // The library keeps its search and indexes right by itself.
    GetLibrary()->DeleteItem(item);
    MarkModified();
}

void CVemoLibraryDoc::DeleteItems(int mediaType)
{
    if (!GetLibrary())
        return;
    const int type = CMediaRegistry::ToMediaType(mediaType);
    if (CLibrarySearchDlg* search = GetSearchDlg())
        search->ForgetItems([type](const CMediaItem* medium) { return CMediaUtils::GetItemMediaID(medium) == type; });
    GetLibrary()->DeleteItems(mediaType);
    MarkModified();
}

void CVemoLibraryDoc::GetSortOrder(int mediaType, CString& primary, CString& secondary) const
{
    primary.clear();
    secondary.clear();
    if (GetLibrary())
        GetLibrary()->GetSortOrder(mediaType, primary, secondary);
}

void CVemoLibraryDoc::SetSortOrder(int mediaType, const CString& primary, const CString& secondary)
{
    if (!GetLibrary())
        return;
    GetLibrary()->SetSortOrder(mediaType, primary, secondary, true);
    MarkModified();
}

CString CVemoLibraryDoc::GetDefaultLocation(int mediaType) const
{
    return GetLibrary() ? GetLibrary()->GetDefaultLocation(mediaType) : CString();
}

void CVemoLibraryDoc::RelocateMedia(int mediaType, const CString& location)
{
    if (!GetLibrary())
        return;
    GetLibrary()->RelocateMedia(mediaType, location);
    MarkItemModified(nullptr);
    MarkListStale(ListLocations);
}

const CStringList& CVemoLibraryDoc::GetNameList(NameList list) const
{
    static const CStringList none;
    if (!GetLibrary())
        return none;
    switch (list) {
    case ListArtists:
        return GetLibrary()->GetArtists();
    case ListActors:
        return GetLibrary()->GetActors();
    case ListDirectors:
        return GetLibrary()->GetDirectors();
    case ListAuthors:
        return GetLibrary()->GetAuthors();
    case ListLocations:
        return GetLibrary()->GetLocations();
    case ListManufacturers:
        return GetLibrary()->GetManufacturers();
    }
    return none;
}

void CVemoLibraryDoc::GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy,
    CStringList& musicBy, CStringList& instrumentation) const
{
    if (GetLibrary())
        GetLibrary()->GetSheetMusicLists(composers, arrangers, wordsBy, musicBy, instrumentation);
}

CStringList CVemoLibraryDoc::GetCategoryNames() const
{
    CStringList names;
    if (!GetLibrary())
        return names;
    std::vector<CString> sorted;
    for (POSITION pos = GetLibrary()->GetHeadCategory(); pos;)
        if (const CCategory* category = GetLibrary()->GetNextCategory(pos);
            category && category->GetName() != CCategory::GetNoCategory())
            sorted.push_back(category->GetName());
    std::sort(sorted.begin(), sorted.end(),
        [](const CString& a, const CString& b) { return CStringUtils::CompareNoCase(a, b) < 0; });
    names.AddTail(CCategory::GetNoCategory());
    for (const CString& name : sorted)
        names.AddTail(name);
    return names;
}

CStringList CVemoLibraryDoc::GetMagazineTitles() const
{
    CStringList names;
    if (const CMagazineMgr* magazines = CMagazineMgr::GetInstance())
        magazines->GetNames(names);
    return names;
}

bool CVemoLibraryDoc::RefreshLibraryID(CVideoTape* tape)
{
    if (!GetLibrary() || !tape)
        return false;
    const CLibraryIDSettings* settings = GetLibrary()->GetLibraryIDFormatForID(tape->GetFormatID());
    if (!settings || !settings->GetAutoGenerate())
        return false;
    if (!GetLibrary()->RefreshLibraryID(tape))
        return false;
    MarkItemModified(tape);
    return true;
}
