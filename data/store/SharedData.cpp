#include "data/store/SharedData.h"

#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Archive.h"

void CSharedData::Serialize(CArchive& ar)
{
    CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    CPersonMgr* persons = CPersonMgr::GetInstance();
    CMagazineMgr* magazines = CMagazineMgr::GetInstance();
    // Skipping a block would misread (or miswrite) every later one.
    if (!publishers || !persons || !magazines)
        throw CArchiveException(CArchiveException::ioError, "The shared lists could not be created");
    ar.SerializeVersion(1);
    publishers->Serialize(ar);
    persons->Serialize(ar);
    magazines->Serialize(ar);
    // Bytes after the last block mean a damaged count ended the read early.
    if (ar.IsLoading() && !ar.AtEnd())
        throw CArchiveException(CArchiveException::badFormat, "bytes left after the shared lists");
}
