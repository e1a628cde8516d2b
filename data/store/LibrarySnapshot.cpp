#include "data/store/LibrarySnapshot.h"

#include <exception>

#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/SharedData.h"
#include "platform/util/Archive.h"

std::string CLibrarySnapshot::SharedBytes()
{
    CArchive out;
    CSharedData::Serialize(out);
    return out.GetBuffer();
}

void CLibrarySnapshot::RestoreShared(const std::string& bytes)
{
    if (SharedBytes() == bytes)
        return;
    // Loading adds to what the managers hold, so they start afresh; items
    // refer to their records by id only.
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
    CArchive in { std::string_view(bytes) };
    CSharedData::Serialize(in);
}

bool CLibrarySnapshot::Take(CLibrary& library, CString& error)
{
    m_taken = false;
    try {
        m_shared = SharedBytes();
    } catch (const std::exception& e) {
        error = CString("The shared data could not be kept: ") + e.what();
        return false;
    }
    if (!CLibraryFile::WriteBytes(library, m_library, error))
        return false;
    m_taken = true;
    return true;
}

bool CLibrarySnapshot::Restore(CLibrary& library, CString& error) const
{
    if (!m_taken) {
        error = "There is nothing to put back.";
        return false;
    }
    // Publishers and magazine titles first: loading items drops ids that
    // the shared lists do not know.
    try {
        RestoreShared(m_shared);
    } catch (const std::exception& e) {
        error = CString("The shared data could not be put back: ") + e.what();
        return false;
    }
    bool converted = false;
    return CLibraryFile::ReadBytes(library, m_library, converted, error);
}
