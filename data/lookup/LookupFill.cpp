#include "data/lookup/LookupFill.h"

#include "data/lookup/LookupText.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/ReportProperties.h"
#include "data/model/Track.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

namespace {

// Whether the item's sub-items are tracks.
bool HasTracks(const CMediaItem& item)
{
    std::unique_ptr<CMediaSubItem> probe(item.CreateSubItem(nullptr));
    return dynamic_cast<CTrack*>(probe.get()) != nullptr;
}

// Writes the cover under a name of its own: a file of that name with other
// bytes (another item's picture) is never overwritten.
bool WriteCover(
    const CLookupCandidate& candidate, const CCoverImage& cover, const CString& folder, CString& path, CString& error)
{
    const CString dir = CDirUtils::WithTrailingSeparator(folder);
    if (dir.empty() || !CDirUtils::CreateDir(dir)) {
        error = "The picture folder \"" + folder + "\" cannot be made.";
        return false;
    }
    const CString name = CLookupFill::CoverFileName(candidate, cover.extension);
    const CString stem = CFileUtils::ParseFileNameFromPath(name, false);
    for (int n = 1; n <= 100; ++n) {
        path = dir + (n == 1 ? name : stem + CStringUtils::Format(" (%d).", n) + cover.extension);
        std::string existing;
        if (!CFileUtils::DoesFileExist(path) && !CDirUtils::DoesDirExist(path)) {
            CString why;
            if (CFileUtils::WriteFileAtomic(path, cover.bytes, &why))
                return true;
            error = "The cover cannot be saved as \"" + path + "\" (" + why + ").";
            return false;
        }
        if (CFileUtils::ReadFileBytes(path, existing) && existing == cover.bytes)
            return true;
    }
    error = "The picture folder \"" + folder + "\" has no free name for the cover.";
    return false;
}

} // namespace

CStringArray CLookupChange::ChangedProperties() const
{
    CStringArray names;
    for (const auto& entry : before)
        names.Add(entry.first);
    return names;
}

CMapStringToString CLookupFill::AllData(const CMediaItem& item)
{
    CMapStringToString data;
    for (const CString& prop : U::GetAllDataProps())
        data.SetAt(prop, CString());
    item.GetData(data);
    return data;
}

CString CLookupFill::CoverFileName(const CLookupCandidate& candidate, const CString& extension)
{
    CString stem = CLookupText::Clean(candidate.Value(U::MEDIA_PROP_TITLE), 80);
    if (!candidate.key.empty()) {
        // Open Library keys are paths ("/books/OL1M"): their last part will do.
        const CString key = candidate.key.substr(candidate.key.rfind('/') + 1);
        stem += (stem.empty() ? "" : " ") + ("(" + CLookupText::Clean(key, 60) + ")");
    }
    if (stem.empty())
        stem = "cover";
    return CFileUtils::ReplaceBadFileChars(stem + "." + extension);
}

bool CLookupFill::WantsCover(const CMediaItem& item, const CLookupFillOptions& options)
{
    const CReportProperties* picture = item.PeekReportProperties();
    return picture && (options.replace || picture->GetImageFile().empty());
}

bool CLookupFill::Apply(CMediaItem& item, const CLookupCandidate& candidate, const CCoverImage& cover,
    const CLookupFillOptions& options, CLookupChange& change, CString& error)
{
    change = CLookupChange();
    CMapStringToString values = candidate.values;
    // What a fill must never set: the item's place in the library.
    for (const CString* prop : { &U::MEDIA_PROP_CATEGORY, &U::MEDIA_PROP_CATEGORYDESC, &U::MEDIA_PROP_LIBRARYID,
             &U::MEDIA_PROP_LOCATION, &U::MEDIA_PROP_MEDIA, &U::MEDIA_PROP_REPORTIMAGEFILE })
        values.RemoveKey(*prop);
    if (!cover.IsEmpty() && WantsCover(item, options)) {
        if (CCoverImage::DetectExtension(cover.bytes).empty()) {
            error = "The cover is not a JPEG, PNG, GIF or WebP picture.";
            return false;
        }
        CString path;
        if (!WriteCover(candidate, cover, options.pictureDir, path, error))
            return false;
        values[U::MEDIA_PROP_REPORTIMAGEFILE] = path;
        change.coverFile = path;
    }

    const CMapStringToString before = AllData(item);
    item.SetData(values, options.replace);

    const bool fillTracks
        = !candidate.tracks.empty() && HasTracks(item) && (item.GetSubItemCount() == 0 || options.replace);
    if (fillTracks) {
        for (POSITION pos = item.GetHeadSubItem(); pos;)
            change.oldSubItems.emplace_back(item.CreateSubItem(item.GetNextSubItem(pos)));
        item.DeleteSubItems();
        for (const CMapStringToString& track : candidate.tracks) {
            CMediaSubItem* subItem = item.CreateSubItem(nullptr);
            subItem->SetData(track, true);
            item.AddSubItem(subItem);
            ++change.tracksAdded;
        }
        item.SetSubItemSortOrder(item.GetSubItemSortOrder(), true);
        change.tracksChanged = true;
    }

    const CMapStringToString after = AllData(item);
    for (const auto& [prop, text] : after) {
        const CString* old = before.PLookup(prop);
        if (old && *old != text) {
            change.before.SetAt(prop, *old);
            change.after.SetAt(prop, text);
        }
    }
    return true;
}

void CLookupFill::Undo(CMediaItem& item, const CLookupChange& change)
{
    CMapStringToString restore = change.before;
    // An empty publisher name would be made into a publisher of that name.
    const CString* publisher = restore.PLookup(U::MEDIA_PROP_PUBLISHER);
    const bool noPublisher = publisher && publisher->empty();
    if (noPublisher)
        restore.RemoveKey(U::MEDIA_PROP_PUBLISHER);
    item.SetData(restore, true);
    if (noPublisher)
        item.SetPublisherID(0);
    if (change.tracksChanged) {
        item.DeleteSubItems();
        for (const auto& subItem : change.oldSubItems)
            item.AddSubItem(item.CreateSubItem(subItem.get()));
        item.SetSubItemSortOrder(item.GetSubItemSortOrder(), true);
    }
}
