// The document's item operations for the media views.

#include <algorithm>

#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/NotAvailableDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/store/Category.h"
#include "data/store/Library.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/MagazineMgr.h"
#include "data/store/MediaRegistry.h"
#include "platform/util/StringUtils.h"

CMediaItem* CVemoLibraryDoc::CreateMediaItem(int mediaType, CMediaItem* source)
{
    if (!m_library)
        return nullptr;
    // The library sorts the new item in and tells its search and indexes;
    // marking the item changed would only make it sort the list again.
    CMediaItem* item = m_library->CreateMediaItem(mediaType, source);
    if (item)
        MarkModified();
    return item;
}

void CVemoLibraryDoc::DeleteItem(CMediaItem* item)
{
    if (!m_library || !item)
        return;
    if (CLibrarySearchDlg* search = GetSearchDlg())
        search->ForgetItems([item](const CMediaItem* medium) { return medium == item; });
    // The library keeps its search and indexes right by itself.
    m_library->DeleteItem(item);
    MarkModified();
}

void CVemoLibraryDoc::DeleteItems(int mediaType)
{
    if (!m_library)
        return;
    const int type = CMediaRegistry::ToMediaType(mediaType);
    if (CLibrarySearchDlg* search = GetSearchDlg())
        search->ForgetItems([type](const CMediaItem* medium) { return CMediaUtils::GetItemMediaID(medium) == type; });
    m_library->DeleteItems(mediaType);
    MarkModified();
}

void CVemoLibraryDoc::GetSortOrder(int mediaType, CString& primary, CString& secondary) const
{
    primary.clear();
    secondary.clear();
    if (m_library)
        m_library->GetSortOrder(mediaType, primary, secondary);
}

void CVemoLibraryDoc::SetSortOrder(int mediaType, const CString& primary, const CString& secondary)
{
    if (!m_library)
        return;
    m_library->SetSortOrder(mediaType, primary, secondary, true);
    MarkModified();
}

CString CVemoLibraryDoc::GetDefaultLocation(int mediaType) const
{
    return m_library ? m_library->GetDefaultLocation(mediaType) : CString();
}

void CVemoLibraryDoc::RelocateMedia(int mediaType, const CString& location)
{
    if (!m_library)
        return;
    m_library->RelocateMedia(mediaType, location);
    MarkItemModified(nullptr);
    MarkListStale(ListLocations);
}

const CStringList& CVemoLibraryDoc::GetNameList(NameList list) const
{
    static const CStringList none;
    if (!m_library)
        return none;
    switch (list) {
    case ListArtists:
        return m_library->GetArtists();
    case ListActors:
        return m_library->GetActors();
    case ListDirectors:
        return m_library->GetDirectors();
    case ListAuthors:
        return m_library->GetAuthors();
    case ListLocations:
        return m_library->GetLocations();
    case ListManufacturers:
        return m_library->GetManufacturers();
    }
    return none;
}

void CVemoLibraryDoc::GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy,
    CStringList& musicBy, CStringList& instrumentation) const
{
    if (m_library)
        m_library->GetSheetMusicLists(composers, arrangers, wordsBy, musicBy, instrumentation);
}

CStringList CVemoLibraryDoc::GetCategoryNames() const
{
    CStringList names;
    if (!m_library)
        return names;
    std::vector<CString> sorted;
    for (POSITION pos = m_library->GetHeadCategory(); pos;)
        if (const CCategory* category = m_library->GetNextCategory(pos);
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
    if (!m_library || !tape)
        return false;
    const CLibraryIDSettings* settings = m_library->GetLibraryIDFormatForID(tape->GetFormatID());
    if (!settings || !settings->GetAutoGenerate())
        return false;
    if (!m_library->RefreshLibraryID(tape))
        return false;
    MarkItemModified(tape);
    return true;
}

// The manager dialogs come with their own change; until then they say so.
void CVemoLibraryDoc::OnLibraryIDFormat(int id)
{
    if (m_library)
        CNotAvailableDlg::Show(m_dialogParent, "Library ID Format...");
}

void CVemoLibraryDoc::OnCustomFields(int mediaType)
{
    if (m_library)
        CNotAvailableDlg::Show(m_dialogParent, "Custom Fields...");
}

void CVemoLibraryDoc::OnMagazineTitles()
{
    CNotAvailableDlg::Show(m_dialogParent, "Magazines...");
}
