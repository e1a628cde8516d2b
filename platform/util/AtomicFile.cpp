// CFileUtils' atomic write and the temporary files it leaves after a crash,
// and CDirUtils::SyncDir, which it needs. The other file helpers live in
// FileUtils.cpp and DirUtils.cpp.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"

namespace {

std::atomic<std::int64_t> g_writeLimit { -1 };
std::atomic<unsigned> g_tempCounter { 0 };

// The folder holding path ("." when path names no folder).
CString FolderOf(const CString& path)
{
    auto slash = path.find_last_of('/');
    if (slash == CString::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

CString NameOf(const CString& path)
{
    auto slash = path.find_last_of('/');
    return slash == CString::npos ? path : path.substr(slash + 1);
}

CString UniqueSuffix()
{
    thread_local std::mt19937 rng { std::random_device {}() };
    unsigned r = rng();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d-%u-%08x", static_cast<int>(::getpid()), g_tempCounter.fetch_add(1), r);
    return buf;
}

bool SetError(CString* error, const CString& what, int err)
{
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

// Writes everything, retrying after signals and short writes, and stops
// with ENOSPC where the test limit says the disk is full.
bool WriteAll(int fd, std::string_view bytes, int& err)
{
    std::int64_t limit = g_writeLimit.load();
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = bytes.size() - done;
        if (limit >= 0) {
            if (static_cast<std::int64_t>(done) >= limit) {
                err = ENOSPC;
                return false;
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(limit - static_cast<std::int64_t>(done)));
        }
        ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// fsync of a folder: 0, or the errno of the step that failed.
int FlushFolder(const CString& path)
{
    if (path.empty())
        return ENOENT;
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot flush a folder; there is nothing more to do.
    return err == EINVAL ? 0 : err;
}

// A temporary file's suffix starts with the writer's process id. A file of
// another process that still runs is a save in progress, not a leftover:
// removing it would make that save fail at its rename.
bool IsWriterAlive(const CString& suffix)
{
    char* end = nullptr;
    long pid = std::strtol(suffix.c_str(), &end, 10);
    if (end == suffix.c_str() || *end != '-' || pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

bool CFileUtils::WriteFileAtomic(const CString& path, std::string_view bytes, CString* error)
{
    if (path.empty() || path.back() == '/')
        return SetError(error, "cannot write \"" + path + "\"", EINVAL);

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0644 less the umask.
    struct stat st { };
    bool replacing = ::stat(path.c_str(), &st) == 0;
    if (replacing && S_ISDIR(st.st_mode))
        return SetError(error, "cannot write " + path, EISDIR);

    CString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TempFilePrefix(path) + UniqueSuffix();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0)
        return SetError(error, "cannot create a temporary file beside " + path, errno);

    auto abandon = [&](const CString& step, int err) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        return SetError(error, step, err);
    };

    if (replacing && ::fchmod(fd, st.st_mode & 07777) != 0)
        return abandon("cannot set the permissions of " + temp, errno);
    int err = 0;
    if (!WriteAll(fd, bytes, err))
        return abandon("cannot write " + path, err);
    if (::fsync(fd) != 0)
        return abandon("cannot flush " + path, errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon("cannot write " + path, errno);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return abandon("cannot replace " + path, errno);

    // The new content is in place. A folder we may write but not read
    // cannot be opened for the flush; any other failure (an I/O error) means
    // a crash could still bring back the old name, so the caller hears of it.
    int flushErr = FlushFolder(FolderOf(path));
    if (flushErr != 0 && flushErr != EACCES && flushErr != EPERM)
        return SetError(error, "saved " + path + ", but its folder could not be flushed", flushErr);
    return true;
}

CString CFileUtils::TempFilePrefix(const CString& path)
{
    return path + ".tmp-";
}

int CFileUtils::RemoveStaleTempFiles(const CString& path)
{
    const CString prefix = NameOf(TempFilePrefix(path));
    const CString folder = FolderOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (dirent* entry = ::readdir(dir)) {
        CString name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0 || IsWriterAlive(name.substr(prefix.size())))
            continue;
        CString full = folder + "/" + name;
        struct stat st { };
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

void CFileUtils::SetWriteLimitForTesting(std::int64_t bytes)
{
    g_writeLimit.store(bytes < 0 ? -1 : bytes);
}

bool CDirUtils::SyncDir(const CString& path)
{
    return FlushFolder(path) == 0;
}
