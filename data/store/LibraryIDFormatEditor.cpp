#include "data/store/LibraryIDFormatEditor.h"

#include <algorithm>

#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/store/Library.h"
#include "platform/util/NumberTextConv.h"

CLibraryIDFormatEditor::CLibraryIDFormatEditor(const CLibrary& library, int mediaType)
    : m_mediaType(mediaType)
{
    std::vector<int> ids;
    if (mediaType == CMediaUtils::MEDIA_VIDEOTAPE) {
        for (int id = CMediaUtils::MEDIA_VIDEOTAPEFORMAT_IDFIRST; id <= CMediaUtils::MEDIA_VIDEOTAPEFORMAT_IDLAST; ++id)
            ids.push_back(id);
    } else if (CMediaUtils::IsValidMediaID(mediaType)) {
        ids.push_back(mediaType);
    }
    for (int id : ids) {
        const CLibraryIDSettings* settings = library.GetLibraryIDFormatForID(id);
        if (!settings)
            continue;
        CTarget target;
        target.id = id;
        target.stored = *settings;
        target.working = *settings;
        // The one-shot options never carry over from an earlier window.
        target.working.SetRenumberAll(false);
        target.working.SetApplyChangesToAll(false);
        target.working.SetClearAll(false);
        target.working.SetRenumberSortOrder(CString());
        for (POSITION pos = library.GetHeadItem(mediaType); pos;) {
            const CMediaItem* item = library.GetNextItem(mediaType, pos);
            const auto* tape = dynamic_cast<const CVideoTape*>(item);
            if (!item || (CMediaUtils::IsVideoTapeFormatID(id) && (!tape || tape->GetFormatID() != id)))
                continue;
            ++target.items;
            // As a new item's number is found: the whole ID parsed.
            target.highest = std::max(target.highest, CNumberTextConv::ParseNumber(item->GetLibraryID()));
        }
        m_targets.push_back(target);
    }
}

CString CLibraryIDFormatEditor::GetTargetName(int id)
{
    if (CMediaUtils::IsVideoTapeFormatID(id))
        return CVideoTape::GetFormatName(id);
    return CMediaUtils::GetMediaNamePlural(id);
}

const CLibraryIDFormatEditor::CTarget* CLibraryIDFormatEditor::Find(int id) const
{
    for (const CTarget& target : m_targets)
        if (target.id == id)
            return &target;
    return nullptr;
}

CLibraryIDSettings* CLibraryIDFormatEditor::GetSettings(int id)
{
    const CTarget* target = Find(id);
    return target ? &const_cast<CTarget*>(target)->working : nullptr;
}

const CLibraryIDSettings* CLibraryIDFormatEditor::GetSettings(int id) const
{
    const CTarget* target = Find(id);
    return target ? &target->working : nullptr;
}

int CLibraryIDFormatEditor::GetItemCount(int id) const
{
    const CTarget* target = Find(id);
    return target ? target->items : 0;
}

CString CLibraryIDFormatEditor::PreviewNextID(int id) const
{
    const CTarget* target = Find(id);
    if (!target || !target->working.GetAutoGenerate())
        return CString();
    const CLibraryIDSettings& settings = target->working;
    // The options run in the order clear, renumber, reformat; reformatting
    // keeps every number.
    int highest = target->highest;
    if (settings.GetClearAll())
        highest = 0;
    if (settings.GetRenumberAll())
        highest = target->items;
    return settings.FormatID(highest + 1);
}

bool CLibraryIDFormatEditor::HasOneShot(const CLibraryIDSettings& settings)
{
    return settings.GetRenumberAll() || settings.GetApplyChangesToAll() || settings.GetClearAll();
}

bool CLibraryIDFormatEditor::IsChanged() const
{
    for (const CTarget& target : m_targets)
        if (!(target.working == target.stored) || HasOneShot(target.working))
            return true;
    return false;
}

void CLibraryIDFormatEditor::Apply(CLibrary& library, std::vector<int>& touchedIDs, bool& itemsChanged) const
{
    touchedIDs.clear();
    itemsChanged = false;
    for (const CTarget& target : m_targets) {
        const bool formatChanged = !(target.working == target.stored);
        if (!formatChanged && !HasOneShot(target.working))
            continue;
        CLibraryIDSettings* settings = library.GetLibraryIDFormatForID(target.id);
        if (!settings)
            continue;
        *settings = target.working;
        const bool touched = library.UpdateLibraryIDFormat(settings, target.id);
        itemsChanged = itemsChanged || touched;
        if (formatChanged || touched)
            touchedIDs.push_back(target.id);
    }
}
