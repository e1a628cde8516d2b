// CFileUtils' atomic write and copy, the temporary files they make beside
// their target and the clean-up of those a killed save left, and
// CDirUtils::SyncDir, which they need. The other file helpers live in
// FileUtils.cpp and DirUtils.cpp.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

std::atomic<std::int64_t> g_writeLimit { -1 };

constexpr char kTempMark[] = ".vemo-tmp-";
constexpr std::size_t kRandomDigits = 8;
constexpr std::size_t kMaxNameBytes = 255;
// What a temporary name adds to the target's name: the leading dot, the
// mark, a process id of up to 10 digits, "-" and the random digits.
constexpr std::size_t kTempNameExtra = 1 + sizeof kTempMark - 1 + 10 + 1 + kRandomDigits;
// As many links as the kernel follows in one path.
constexpr int kMaxLinkHops = 40;

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

// The start of the temporary names for a target named name.
CString TempStem(const CString& name)
{
    return "." + CStringUtils::TruncateUtf8(name, kMaxNameBytes - kTempNameExtra) + kTempMark;
}

// What follows the stem: "<pid>-<8 hex digits>" and nothing else.
bool IsTempSuffix(std::string_view suffix)
{
    const std::size_t dash = suffix.find('-');
    if (dash == 0 || dash == std::string_view::npos || suffix.size() - dash - 1 != kRandomDigits)
        return false;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isHex = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'f'); };
    return std::all_of(suffix.begin(), suffix.begin() + dash, isDigit)
        && std::all_of(suffix.begin() + dash + 1, suffix.end(), isHex);
}

CString TempSuffix()
{
    thread_local std::mt19937 rng { std::random_device {}() };
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d-%08x", static_cast<int>(::getpid()), static_cast<unsigned>(rng()));
    return buf;
}

bool SetError(CString* error, const CString& what, int err)
{
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

// Writes everything, retrying after signals and short writes, and stops
// with ENOSPC once limit bytes are written (-1: no limit).
bool WriteAll(int fd, std::string_view bytes, std::int64_t limit, int& err)
{
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

// True when path still names the file open at fd.
bool NamesOpenFile(int fd, const CString& path)
{
    struct stat opened {
    }, named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

// The file path ends at after following symbolic links (path itself when
// it is none, or names nothing yet): 0, or the errno that stopped it.
int ResolveLinks(const CString& path, CString& target)
{
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st { };
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::vector<char> buffer(static_cast<std::size_t>(std::max<off_t>(st.st_size, 255)) + 1);
        ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return errno;
        if (n == 0 || static_cast<std::size_t>(n) == buffer.size())
            return ENOENT; // empty, or it changed while it was read
        CString link(buffer.data(), static_cast<std::size_t>(n));
        target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
    }
    return ELOOP;
}

// A temporary file beside a target. The writer locks it from its creation
// until it is renamed over the target or removed; an unlocked one is a
// leftover that the clean-up may remove.
class CTempFile {
public:
    CTempFile() = default;
    ~CTempFile() { Abandon(); }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // 0, or the errno of the failure.
    int Create(const CString& target, mode_t mode)
    {
        const CString stem = CFileUtils::TempFilePrefix(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            CString path = stem + TempSuffix();
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd < 0) {
                if (errno == EEXIST || errno == EINTR)
                    continue;
                return errno;
            }
            // A clean-up may have taken the new file for a leftover between
            // the open and the lock; then it removes it, and we start anew.
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && NamesOpenFile(fd, path)) {
                m_fd = fd;
                m_path = std::move(path);
                return 0;
            }
            const int err = errno;
            ::close(fd);
            if (err != EWOULDBLOCK && err != EINTR && err != ENOENT) {
                ::unlink(path.c_str());
                return err;
            }
        }
        return EEXIST;
    }
    int Fd() const { return m_fd; }
    const CString& Path() const { return m_path; }
    int Flush() { return ::fsync(m_fd) == 0 ? 0 : errno; }
    // Renames the file over target, still locked, so no clean-up can take
    // it in between; 0 or the errno of the failure.
    int Replace(const CString& target)
    {
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            return errno;
        // The bytes are flushed already: a late close error changes nothing.
        ::close(m_fd);
        m_fd = -1;
        m_path.clear();
        return 0;
    }
    void Abandon()
    {
        if (m_fd < 0)
            return;
        // Removed while still locked, so a clean-up never meets it unlocked.
        ::unlink(m_path.c_str());
        ::close(m_fd);
        m_fd = -1;
        m_path.clear();
    }

private:
    int m_fd = -1;
    CString m_path;
};

// Removes one leftover when it is a regular file of ours that no writer
// holds; the lock is shared so that it can be taken on any file system.
bool RemoveIfLeftover(const CString& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st { };
    bool removed = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()
        && ::flock(fd, LOCK_SH | LOCK_NB) == 0 && NamesOpenFile(fd, path) && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

// Removes the leftovers in folder: of the target whose temporary names
// begin with stem, or of any target when stem is empty.
int RemoveLeftovers(const CString& folder, const CString& stem)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    std::vector<CString> found;
    while (dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        std::size_t suffix = CString::npos;
        if (!stem.empty()) {
            if (name.substr(0, stem.size()) == stem)
                suffix = stem.size();
        } else if (name.size() > 1 && name[0] == '.') {
            const std::size_t mark = name.rfind(kTempMark);
            if (mark != std::string_view::npos && mark > 0)
                suffix = mark + sizeof kTempMark - 1;
        }
        if (suffix != CString::npos && IsTempSuffix(name.substr(suffix)))
            found.emplace_back(name);
    }
    ::closedir(dir);
    int removed = 0;
    for (const CString& name : found)
        removed += RemoveIfLeftover(folder + "/" + name);
    return removed;
}

// Copies the open source into a new temporary file beside to and renames it
// into place, so a failed copy never leaves a half-written target.
bool CopyToTarget(int in, const struct stat& st, const CString& to, CString* error)
{
    CTempFile temp;
    if (int err = temp.Create(to, 0600))
        return SetError(error, "Cannot create a temporary file for \"" + to + "\"", err);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return SetError(error, "Cannot read the file to copy to \"" + to + "\"", errno);
        if (got == 0)
            break;
        int err = 0;
        if (!WriteAll(temp.Fd(), std::string_view(buffer.data(), static_cast<std::size_t>(got)), -1, err))
            return SetError(error, "Cannot write \"" + to + "\"", err);
    }
    ::fchmod(temp.Fd(), st.st_mode & 07777);
    if (int err = temp.Flush())
        return SetError(error, "Cannot flush \"" + to + "\"", err);
    if (int err = temp.Replace(to))
        return SetError(error, "Cannot put in place \"" + to + "\"", err);
    FlushFolder(FolderOf(to));
    return true;
}

} // namespace

struct CAtomicFileWriter::CState {
    CString path; // as given, for messages
    CString target; // path with its links followed
    CTempFile temp;
    std::int64_t written = 0;
    bool failed = false;

    bool Fail(CString* error, const CString& what, int err)
    {
        failed = true;
        temp.Abandon();
        return SetError(error, what, err);
    }
};

CAtomicFileWriter::CAtomicFileWriter() = default;
CAtomicFileWriter::~CAtomicFileWriter() = default;

bool CAtomicFileWriter::Open(const CString& path, CString* error, bool ownerOnly)
{
    m_state = std::make_unique<CState>();
    CState& state = *m_state;
    state.path = path;
    if (path.empty() || path.back() == '/')
        return state.Fail(error, "cannot write \"" + path + "\"", EINVAL);

    // Through a link the file it points to is replaced; replacing the link
    // would leave that file with the old data while the save looks done.
    if (int err = ResolveLinks(path, state.target))
        return state.Fail(error, "cannot write " + path, err);

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0644 less the umask.
    struct stat st { };
    bool replacing = ::stat(state.target.c_str(), &st) == 0;
    if (replacing && S_ISDIR(st.st_mode))
        return state.Fail(error, "cannot write " + path, EISDIR);
    if (replacing && !S_ISREG(st.st_mode)) {
        state.failed = true;
        if (error)
            *error = "cannot write " + path + ": it is not a regular file";
        return false;
    }

    RemoveLeftovers(FolderOf(state.target), TempStem(NameOf(state.target)));
    if (int err = state.temp.Create(state.target, replacing || ownerOnly ? 0600 : 0644))
        return state.Fail(error, "cannot create a temporary file beside " + state.target, err);
    if (replacing && ::fchmod(state.temp.Fd(), st.st_mode & (ownerOnly ? 07700 : 07777)) != 0)
        return state.Fail(error, "cannot set the permissions of " + state.temp.Path(), errno);
    return true;
}

bool CAtomicFileWriter::Write(std::string_view bytes, CString* error)
{
    if (!m_state || m_state->failed)
        return SetError(error, "cannot write " + (m_state ? m_state->path : CString()), EBADF);
    CState& state = *m_state;
    const std::int64_t limit = g_writeLimit.load();
    int err = 0;
    if (!WriteAll(state.temp.Fd(), bytes, limit < 0 ? -1 : std::max<std::int64_t>(limit - state.written, 0), err))
        return state.Fail(error, "cannot write " + state.path, err);
    state.written += static_cast<std::int64_t>(bytes.size());
    return true;
}

bool CAtomicFileWriter::Commit(CString* error)
{
    if (!m_state || m_state->failed)
        return SetError(error, "cannot write " + (m_state ? m_state->path : CString()), EBADF);
    CState& state = *m_state;
    int err = 0;
    if ((err = state.temp.Flush()) != 0)
        return state.Fail(error, "cannot flush " + state.path, err);
    if ((err = state.temp.Replace(state.target)) != 0)
        return state.Fail(error, "cannot replace " + state.path, err);
    state.failed = true; // done: nothing more to write

    // The new content is in place. A folder we may write but not read
    // cannot be opened for the flush; any other failure (an I/O error) means
    // a crash could still bring back the old name, so the caller hears of it.
    int flushErr = FlushFolder(FolderOf(state.target));
    if (flushErr != 0 && flushErr != EACCES && flushErr != EPERM)
        return SetError(error, "saved " + state.path + ", but its folder could not be flushed", flushErr);
    return true;
}

namespace {

bool WriteWholeFile(const CString& path, std::string_view bytes, CString* error, bool ownerOnly)
{
    CAtomicFileWriter writer;
    return writer.Open(path, error, ownerOnly) && writer.Write(bytes, error) && writer.Commit(error);
}

} // namespace

bool CFileUtils::WriteFileAtomic(const CString& path, std::string_view bytes, CString* error)
{
    return WriteWholeFile(path, bytes, error, false);
}

bool CFileUtils::WriteOwnerOnlyFileAtomic(const CString& path, std::string_view bytes, CString* error)
{
    return WriteWholeFile(path, bytes, error, true);
}

CString CFileUtils::TempFilePrefix(const CString& path)
{
    const std::size_t slash = path.find_last_of('/');
    const CString folder = slash == CString::npos ? CString() : path.substr(0, slash + 1);
    return folder + TempStem(NameOf(path));
}

int CFileUtils::RemoveStaleTempFiles(const CString& path)
{
    CString target;
    if (path.empty() || ResolveLinks(path, target) != 0)
        return 0;
    return RemoveLeftovers(FolderOf(target), TempStem(NameOf(target)));
}

int CFileUtils::RemoveStaleTempFilesIn(const CString& folder)
{
    return folder.empty() ? 0 : RemoveLeftovers(folder, CString());
}

bool CFileUtils::CopyFile(const CString& from, const CString& to, bool failIfExists, CString* error)
{
    auto fail = [&](const char* what, const CString& path, int err) {
        return SetError(error, CString(what) + " \"" + path + "\"", err);
    };
    int fd = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail("Cannot open", from, errno);
    struct stat st { };
    struct stat target { };
    bool copied = false;
    if (::fstat(fd, &st) != 0)
        fail("Cannot read", from, errno);
    else if (!S_ISREG(st.st_mode))
        fail("Cannot copy", from, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    else if (to.empty() || ::stat(to.c_str(), &target) != 0)
        copied = CopyToTarget(fd, st, to, error);
    else if (failIfExists)
        fail("Cannot copy to", to, EEXIST);
    else if (target.st_dev == st.st_dev && target.st_ino == st.st_ino)
        copied = true; // the same file: nothing to do
    else if (S_ISDIR(target.st_mode))
        fail("Cannot copy to", to, EISDIR);
    else
        copied = CopyToTarget(fd, st, to, error);
    ::close(fd);
    return copied;
}

void CFileUtils::SetWriteLimitForTesting(std::int64_t bytes)
{
    g_writeLimit.store(bytes < 0 ? -1 : bytes);
}

bool CDirUtils::SyncDir(const CString& path)
{
    return FlushFolder(path) == 0;
}
