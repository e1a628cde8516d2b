#include "data/store/MagazineIssueMediaMgr.h"

#include "data/model/MediaSubItem.h"

void CMagazineIssueMediaMgr::MergeImported(CMediaItem& existing, CMediaItem& imported) const
{
    for (POSITION pos = imported.GetHeadSubItem(); pos;) {
        CMediaSubItem* article = imported.GetNextSubItem(pos);
        if (!article)
            continue;
        bool known = false;
        for (POSITION at = existing.GetHeadSubItem(); at && !known;) {
            const CMediaSubItem* other = existing.GetNextSubItem(at);
            known = other && *other == *article;
        }
        if (!known)
            existing.AddSubItem(existing.CreateSubItem(article));
    }
}
