#include "platform/appcfg/DataFileMgmt.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/util/AppLogger.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"

namespace {

bool PathExists(const CString& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool SameExtension(const CString& a, const CString& b)
{
    return ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

CString BaseName(const CString& path)
{
    std::size_t slash = path.rfind('/');
    return slash == CString::npos ? path : path.substr(slash + 1);
}

} // namespace

void CDataFileMgmt::Configure(const CString& dataDir, int archiveCount)
{
    m_dataDir = CDirUtils::WithTrailingSeparator(dataDir);
    m_archiveCount = std::max(1, archiveCount);
}

bool CDataFileMgmt::IsSafeName(const CString& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == CString::npos
        && name.find('\0') == CString::npos;
}

void CDataFileMgmt::SplitFileName(const CString& file, CString& name, CString& ext)
{
    std::size_t dot = file.rfind('.');
    if (dot == CString::npos || dot == 0) {
        name = file;
        ext.clear();
    } else {
        name = file.substr(0, dot);
        ext = file.substr(dot + 1);
    }
}

bool CDataFileMgmt::ParseArchiveName(const CString& fileName, CString& title, CString& ext, int& sequence)
{
    auto endsInSequence = [](const CString& stem) {
        if (stem.size() <= static_cast<std::size_t>(SEQUENCE_DIGITS))
            return false;
        return std::all_of(stem.end() - SEQUENCE_DIGITS, stem.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    auto take = [&](const CString& stem, const CString& extension) {
        title = stem.substr(0, stem.size() - SEQUENCE_DIGITS);
        ext = extension;
        sequence = std::stoi(stem.substr(stem.size() - SEQUENCE_DIGITS));
        return true;
    };
    std::size_t dot = fileName.rfind('.');
    if (dot != CString::npos && dot > 0) {
        CString stem = fileName.substr(0, dot);
        if (endsInSequence(stem))
            return take(stem, fileName.substr(dot + 1));
    }
    if (endsInSequence(fileName))
        return take(fileName, "");
    return false;
}

CString CDataFileMgmt::ArchiveName(const CString& name, const CString& ext, int sequence)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", SEQUENCE_DIGITS, sequence);
    return name + digits + (ext.empty() ? "" : "." + ext);
}

std::vector<CDataFileMgmt::ArchiveEntry> CDataFileMgmt::ListArchives(const CString& name, const CString& ext) const
{
    std::vector<ArchiveEntry> archives;
    CStringList names;
    CDirUtils::ListFiles(GetArchiveDir(), ext, names);
    for (const CString& fileName : names) {
        CString title, archiveExt;
        int sequence = 0;
        if (ParseArchiveName(fileName, title, archiveExt, sequence) && title == name && SameExtension(archiveExt, ext))
            archives.push_back({ sequence, fileName });
    }
    std::sort(archives.begin(), archives.end(),
        [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.sequence < b.sequence; });
    return archives;
}

bool CDataFileMgmt::ResolveArchive(const CString& archive, CString& fileName) const
{
    fileName = BaseName(archive);
    if (fileName.size() != archive.size()) {
        namespace fs = std::filesystem;
        fs::path dir = fs::path(archive.substr(0, archive.size() - fileName.size())).lexically_normal();
        fs::path archiveDir = fs::path(GetArchiveDir()).lexically_normal();
        if (dir != archiveDir)
            return false;
    }
    CString title, ext;
    int sequence = 0;
    return IsSafeName(fileName) && ParseArchiveName(fileName, title, ext, sequence);
}

bool CDataFileMgmt::RenameNoReplace(const CString& from, const CString& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    // File systems that cannot refuse the replacement themselves.
    if (PathExists(to))
        return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool CDataFileMgmt::Renumber(const CString& name, const CString& ext)
{
    std::vector<ArchiveEntry> archives = ListArchives(name, ext);
    for (std::size_t i = 0; i < archives.size(); ++i) {
        CString target = ArchiveName(name, ext, static_cast<int>(i + 1));
        if (target != archives[i].fileName
            && !RenameNoReplace(GetArchivePath(archives[i].fileName), GetArchivePath(target)))
            return false;
    }
    return true;
}

bool CDataFileMgmt::BackupDataFile(const CString& file, bool prune, CString* archiveFile)
{
    if (!IsSafeName(file) || m_dataDir.empty())
        return false;
    CString source = m_dataDir + file;
    if (!CFileUtils::DoesFileExist(source) || CFileUtils::GetFileSize(source) <= 0)
        return false;
    if (!CDirUtils::CreateDir(GetArchiveDir()))
        return false;
    // What archive copies killed mid-write left goes with the next one.
    CFileUtils::RemoveStaleTempFilesIn(GetArchiveDir());

    CString name, ext;
    SplitFileName(file, name, ext);
    std::vector<ArchiveEntry> archives = ListArchives(name, ext);
    int next = archives.empty() ? 1 : archives.back().sequence + 1;
    if (next > MAX_SEQUENCE) {
        if (!Renumber(name, ext))
            return false;
        next = static_cast<int>(ListArchives(name, ext).size()) + 1;
        if (next > MAX_SEQUENCE)
            return false;
    }

    std::string bytes;
    if (!CFileUtils::ReadFileBytes(source, bytes))
        return false;
    CString target = ArchiveName(name, ext, next);
    if (PathExists(GetArchivePath(target)) || !CFileUtils::WriteFileAtomic(GetArchivePath(target), bytes))
        return false;
    if (archiveFile)
        *archiveFile = target;
    return prune ? PruneArchives(file) : true;
}

bool CDataFileMgmt::PruneArchives(const CString& file)
{
    if (!IsSafeName(file))
        return false;
    CString name, ext;
    SplitFileName(file, name, ext);
    std::vector<ArchiveEntry> archives = ListArchives(name, ext);
    bool ok = true;
    for (std::size_t i = 0; i + m_archiveCount < archives.size(); ++i)
        ok = CFileUtils::DeleteFile(GetArchivePath(archives[i].fileName)) && ok;
    return ok;
}

bool CDataFileMgmt::DiscardArchive(const CString& archive)
{
    CString fileName;
    return ResolveArchive(archive, fileName) && CFileUtils::DeleteFile(GetArchivePath(fileName));
}

int CDataFileMgmt::GetArchivesCount(const CString& name) const
{
    CStringList names;
    CDirUtils::ListFiles(GetArchiveDir(), "", names);
    int count = 0;
    for (const CString& fileName : names) {
        CString title, ext;
        int sequence = 0;
        if (ParseArchiveName(fileName, title, ext, sequence) && title == name)
            ++count;
    }
    return count;
}

bool CDataFileMgmt::HaveRestoreCandidates(const CString& name, const CString& ext) const
{
    CStringList list;
    GetRestoreCandidates(name, ext, list);
    return !list.IsEmpty();
}

void CDataFileMgmt::GetRestoreCandidates(const CString& /*name*/, const CString& ext, CStringList& list) const
{
    struct Candidate {
        CString title;
        int sequence;
        CString fileName;
    };
    std::vector<Candidate> candidates;
    CStringList names;
    CDirUtils::ListFiles(GetArchiveDir(), ext, names);
    for (const CString& fileName : names) {
        CString title, archiveExt;
        int sequence = 0;
        if (ParseArchiveName(fileName, title, archiveExt, sequence) && SameExtension(archiveExt, ext))
            candidates.push_back({ title, sequence, fileName });
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.title != b.title)
            return a.title < b.title;
        return a.sequence > b.sequence;
    });
    list.RemoveAll();
    for (const Candidate& c : candidates)
        list.AddTail(c.fileName);
}

CString CDataFileMgmt::GetDataFileTitle(const CString& file)
{
    CString title, ext;
    int sequence = 0;
    return ParseArchiveName(BaseName(file), title, ext, sequence) ? title : CString();
}

CString CDataFileMgmt::GetArchiveSequenceText(const CString& file)
{
    CString title, ext;
    int sequence = 0;
    return ParseArchiveName(BaseName(file), title, ext, sequence) ? std::to_string(sequence) : CString();
}

bool CDataFileMgmt::IsArchiveFileMatch(const CString& name, const CString& file)
{
    CString title, ext;
    int sequence = 0;
    return ParseArchiveName(BaseName(file), title, ext, sequence) && title == name;
}

COleDateTime CDataFileMgmt::GetArchiveTime(const CString& archive) const
{
    CString fileName;
    if (!ResolveArchive(archive, fileName)) {
        COleDateTime none;
        none.SetStatus(COleDateTime::invalid);
        return none;
    }
    return CFileUtils::GetModificationTime(GetArchivePath(fileName));
}

CString CDataFileMgmt::GetArchiveAgeText(const CString& archive, const COleDateTime& now) const
{
    COleDateTime then = GetArchiveTime(archive);
    if (!then.IsValid() || !now.IsValid())
        return "";
    return CDateTimeUtils::GetDeltaText(then, now, CDateTimeUtils::CalendarDaysBetween(then, now) != 0);
}

std::int64_t CDataFileMgmt::GetArchiveSize(const CString& archive) const
{
    CString fileName;
    return ResolveArchive(archive, fileName) ? CFileUtils::GetFileSize(GetArchivePath(fileName)) : -1;
}

CString CDataFileMgmt::FormatByteCount(std::int64_t bytes)
{
    if (bytes < 0)
        return "";
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    static const char* const units[] = { "KB", "MB", "GB", "TB", "PB", "EB" };
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    // Promote before rounding would show "1024.0 KB".
    while (value >= 1023.95 && unit + 1 < std::size(units)) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

bool CDataFileMgmt::RestoreDataFile(const CString& archive, const CString& name, const CString& ext)
{
    CString archiveFile;
    CString target = ext.empty() ? name : name + "." + ext;
    if (!ResolveArchive(archive, archiveFile) || !IsSafeName(name) || !IsSafeName(target) || m_dataDir.empty())
        return false;
    std::string bytes;
    if (!CFileUtils::ReadFileBytes(GetArchivePath(archiveFile), bytes))
        return false;

    // Pruning waits until the copy is in place: the archive being restored
    // may be the oldest one.
    CString current;
    CString targetPath = m_dataDir + target;
    if (CFileUtils::DoesFileExist(targetPath) && !CFileUtils::IsFileEmpty(targetPath)
        && !BackupDataFile(target, false, &current))
        return false;
    if (!CFileUtils::WriteFileAtomic(targetPath, bytes)) {
        if (!current.empty())
            DiscardArchive(current);
        return false;
    }
    if (!current.empty() && !PruneArchives(target))
        VemoLog("{7E9A8A21-8E03-4DD9-95EC-F7F28A3E37F0}");
    return true;
}

bool CDataFileMgmt::CopyDataFile(const CString& from, const CString& to)
{
    if (!IsSafeName(from) || !IsSafeName(to) || m_dataDir.empty())
        return false;
    CString target = m_dataDir + to;
    std::string bytes;
    if (PathExists(target) || !CFileUtils::DoesFileExist(m_dataDir + from)
        || !CFileUtils::ReadFileBytes(m_dataDir + from, bytes))
        return false;
    return CFileUtils::WriteFileAtomic(target, bytes);
}

bool CDataFileMgmt::RenameDataFile(const CString& from, const CString& to)
{
    if (!IsSafeName(from) || !IsSafeName(to) || m_dataDir.empty())
        return false;
    if (!CFileUtils::DoesFileExist(m_dataDir + from) || PathExists(m_dataDir + to))
        return false;

    CString fromName, fromExt, toName, toExt;
    SplitFileName(from, fromName, fromExt);
    SplitFileName(to, toName, toExt);
    std::vector<ArchiveEntry> archives = ListArchives(fromName, fromExt);
    std::vector<ArchiveEntry> existing = ListArchives(toName, toExt);
    int offset = existing.empty() ? 0 : existing.back().sequence;
    if (offset + static_cast<std::int64_t>(archives.size()) > MAX_SEQUENCE)
        return false;

    std::vector<std::pair<CString, CString>> done;
    auto undo = [&]() {
        for (auto it = done.rbegin(); it != done.rend(); ++it)
            if (!RenameNoReplace(it->second, it->first))
                VemoLog("{C34046DE-EEE0-4AEC-9DC8-4BE79F46A457}");
        return false;
    };
    if (!RenameNoReplace(m_dataDir + from, m_dataDir + to))
        return false;
    done.emplace_back(m_dataDir + from, m_dataDir + to);
    for (std::size_t i = 0; i < archives.size(); ++i) {
        int sequence = offset == 0 ? archives[i].sequence : offset + static_cast<int>(i) + 1;
        CString source = GetArchivePath(archives[i].fileName);
        CString target = GetArchivePath(ArchiveName(toName, toExt, sequence));
        if (!RenameNoReplace(source, target))
            return undo();
        done.emplace_back(source, target);
    }
    CDirUtils::SyncDir(m_dataDir);
    if (!archives.empty())
        CDirUtils::SyncDir(GetArchiveDir());
    return true;
}

bool CDataFileMgmt::DeleteDataFile(const CString& file, bool deleteArchives)
{
    if (!IsSafeName(file) || m_dataDir.empty())
        return false;
    CString path = m_dataDir + file;
    bool ok = true;
    if (PathExists(path))
        ok = CFileUtils::DeleteFile(path);
    if (deleteArchives) {
        CString name, ext;
        SplitFileName(file, name, ext);
        for (const ArchiveEntry& archive : ListArchives(name, ext))
            ok = CFileUtils::DeleteFile(GetArchivePath(archive.fileName)) && ok;
    }
    return ok && !PathExists(path);
}
