// The document's operations for the item property pages.

#include "app/doc/VemoLibraryDoc.h"

#include "app/VemoLibrarySettings.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "platform/util/AppLogger.h"

void CVemoLibraryDoc::DeleteSubItem(CMediaSubItem* subItem)
{
    CMediaItem* parent = subItem ? subItem->GetParent() : nullptr;
    if (!parent || parent->FindSubItem(subItem) < 0)
        return;
    if (CLibrarySearchDlg* search = GetSearchDlg()) {
        for (int i = 0; i < search->GetResultCount(); ++i) {
            if (search->GetResultItem(i) == subItem) {
                search->ClearResults();
                break;
            }
        }
    }
    parent->DeleteSubItem(subItem);
    MarkItemModified(parent);
}

bool CVemoLibraryDoc::SharedDataChanged()
{
    const bool saved = SaveSharedData();
    emit UpdateAllViews(HintSharedData);
    return saved;
}

CString CVemoLibraryDoc::GetImageDir(int mediaType) const
{
    if (!m_settings)
        return CString();
    return mediaType == CMediaUtils::MEDIA_BOOK ? m_settings->GetLastBookImageDir() : m_settings->GetLastImageDir();
}

void CVemoLibraryDoc::RememberImageDir(int mediaType, const CString& dir)
{
    if (!m_settings || dir.empty())
        return;
    if (mediaType == CMediaUtils::MEDIA_BOOK)
        m_settings->SetLastBookImageDir(dir);
    else
        m_settings->SetLastImageDir(dir);
    if (!m_settings->Save())
        VemoLog("{7C2E9A41-5D0B-4F36-8E1A-B94D3C6F2E08}");
}
