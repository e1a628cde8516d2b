#pragma once
// The magazine issues of a library. An imported row that matches an existing
// issue also brings the articles the issue does not have yet; the
// subscription and publisher columns of a row go to the issue's magazine
// title, where they are kept.

#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/store/MediaMgr.h"

class CMagazineIssueMediaMgr final : public CMediaMgr {
public:
    CMagazineIssueMediaMgr()
        : CMediaMgr(CMediaUtils::MEDIA_MAGAZINE)
    {
    }

protected:
    void MergeImported(CMediaItem& existing, CMediaItem& imported) const override;
    void TakeImportedValues(CMediaItem& item, const CMapStringToString& values, bool overwrite) const override;
};
