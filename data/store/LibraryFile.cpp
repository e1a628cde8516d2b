#include "data/store/LibraryFile.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/DataFolder.h"
#include "platform/util/FileUtils.h"

namespace {

const char* const GUID_FORMAT_REFUSED = "{50656B09-3819-4EF4-81AE-EFE74EB9065F}";
const char* const GUID_STREAM_FAILED = "{7CC3711D-15FC-4B50-A0C9-117888C704FF}";

// The use counts of the categories by id.
std::vector<std::pair<int, int>> UseCounts()
{
    std::vector<std::pair<int, int>> counts;
    if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
        for (POSITION pos = categories->GetHeadPosition(); pos;) {
            const CCategory* category = categories->GetNext(pos);
            counts.emplace_back(category->GetUniqueID(), category->GetDepItems());
        }
    return counts;
}

void SetUseCounts(const std::vector<std::pair<int, int>>& counts)
{
    if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
        for (const auto& [id, count] : counts)
            if (CCategory* category = categories->GetCategory(id))
                category->SetDepItems(count);
}

// The category list is process-wide and is replaced while a body is read;
// its record and use counts are kept so that a failed read can put them
// back.
struct CCategorySnapshot {
    std::string record;
    std::vector<std::pair<int, int>> counts;
};

CCategorySnapshot SnapshotCategories()
{
    CArchive out;
    if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
        categories->Serialize(out);
    return { out.GetBuffer(), UseCounts() };
}

void RestoreCategories(const CCategorySnapshot& snapshot)
{
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!categories || snapshot.record.empty())
        return;
    CArchive in { std::string_view(snapshot.record) };
    categories->Serialize(in);
    SetUseCounts(snapshot.counts);
}

// The settings the caller gave before loading that the body falls back to.
void CopyCallerSettings(const CLibrary& from, CLibrary& to)
{
    to.SetName(from.GetName());
    to.SetPathImport(from.GetPathImport());
    to.SetPathExport(from.GetPathExport());
    to.SetPathCustomWebReportOutput(from.GetPathCustomWebReportOutput());
    to.SetPathUserCustomWebReportTemplate(from.GetPathUserCustomWebReportTemplate());
    to.SetPathCustomWebReportImage(from.GetPathCustomWebReportImage());
    to.SetPathCustomFieldDefault(from.GetPathCustomFieldDefault());
}

CString WishListPath(const CString& path)
{
    if (path.empty())
        return CString();
    return CFileUtils::ParseDirFromPath(path)
        + CDataFolder::LibraryFileName(CFileUtils::ParseFileNameFromPath(path, false) + " Wish List");
}

} // namespace

bool CLibraryFile::ReadArchive(
    CLibrary& into, CArchive& ar, const CString& wishListPath, bool& converted, CString& error)
{
    converted = false;
    error.clear();
    WORD format = 0;
    try {
        format = ar.ReadWord();
    } catch (...) {
        VemoLog(GUID_STREAM_FAILED);
        error = READ_ERROR;
        return false;
    }
    if (format > FORMAT_CURRENT) {
        VemoLog(GUID_FORMAT_REFUSED);
        error = READ_ERROR;
        return false;
    }

    const CCategorySnapshot categories = SnapshotCategories();
    auto fresh = std::make_unique<CLibrary>(false, false);
    CopyCallerSettings(into, *fresh);
    try {
        if (format == FORMAT_EARLIER)
            fresh->SerializeOldData(ar, FORMAT_CURRENT, wishListPath, into.GetPathUserCustomWebReportTemplate(),
                into.GetPathCustomWebReportOutput());
        else
            fresh->Serialize(ar);
        // Bytes after the body mean a damaged count or length ended the
        // read early: what follows would be lost without a word.
        if (!ar.AtEnd())
            throw CArchiveException(CArchiveException::badFormat, "bytes left after the library body");
    } catch (...) {
        // The half-read library goes first: its items still refer to the
        // categories read so far.
        fresh.reset();
        RestoreCategories(categories);
        into.SetCassetteUseTimedCounter(into.GetCassetteUseTimedCounter());
        VemoLog(GUID_STREAM_FAILED);
        error = READ_ERROR;
        return false;
    }
    // The previous content goes now; its items let go of categories by id,
    // which would move the counts of the categories just read.
    const std::vector<std::pair<int, int>> counts = UseCounts();
    into.Swap(*fresh);
    fresh.reset();
    SetUseCounts(counts);
    converted = format == FORMAT_EARLIER;
    return true;
}

bool CLibraryFile::ReadPath(CLibrary& into, const CString& path, bool readOnly, bool& converted, CString& error)
{
    converted = false;
    std::optional<CArchive> ar;
    try {
        ar.emplace(CArchive::FromFile(path, !readOnly));
    } catch (const CArchiveException& e) {
        VemoLog(GUID_STREAM_FAILED);
        error = e.what();
        return false;
    }
    return ReadArchive(into, *ar, readOnly ? CString() : WishListPath(path), converted, error);
}

bool CLibraryFile::Read(CLibrary& into, const CString& path, bool& converted, CString& error)
{
    if (ReadPath(into, path, false, converted, error))
        return true;
    error = READ_ERROR;
    return false;
}

bool CLibraryFile::ReadOnly(CLibrary& into, const CString& path, bool& converted, CString& error)
{
    return ReadPath(into, path, true, converted, error);
}

bool CLibraryFile::ReadBytes(CLibrary& into, std::string_view bytes, bool& converted, CString& error)
{
    CArchive ar(bytes);
    return ReadArchive(into, ar, CString(), converted, error);
}

bool CLibraryFile::WriteBytes(CLibrary& library, std::string& bytes, CString& error)
{
    error.clear();
    try {
        CArchive ar;
        ar.WriteWord(FORMAT_CURRENT);
        library.Serialize(ar);
        bytes = ar.GetBuffer();
        return true;
    } catch (...) {
        VemoLog(GUID_STREAM_FAILED);
        error = SAVE_ERROR;
        return false;
    }
}

bool CLibraryFile::WriteEarlierFormatBytes(CLibrary& library, std::string& bytes, CString& error)
{
    error.clear();
    if (!library.GetImpl()) {
        error = SAVE_ERROR;
        return false;
    }
    try {
        CArchive ar;
        ar.WriteWord(FORMAT_EARLIER);
        library.GetImpl()->Serialize(ar, true);
        bytes = ar.GetBuffer();
        return true;
    } catch (...) {
        VemoLog(GUID_STREAM_FAILED);
        error = SAVE_ERROR;
        return false;
    }
}

bool CLibraryFile::Write(CLibrary& library, const CString& path, CString& error)
{
    error.clear();
    try {
        CArchive ar = CArchive::ToFile(path);
        ar.WriteWord(FORMAT_CURRENT);
        library.Serialize(ar);
        ar.Commit();
        return true;
    } catch (...) {
        VemoLog(GUID_STREAM_FAILED);
        error = SAVE_ERROR;
        return false;
    }
}
