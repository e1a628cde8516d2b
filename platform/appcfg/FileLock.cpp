#include "platform/appcfg/FileLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// The lock file as the holder wrote it: "<pid>\n<program>\n".
bool ReadOwner(int fd, long& pid, CString& program)
{
    char buffer[512];
    ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (n <= 0)
        return false;
    std::string text(buffer, static_cast<std::size_t>(n));
    std::size_t newline = text.find('\n');
    if (newline == std::string::npos)
        return false;
    char* end = nullptr;
    pid = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || pid <= 0)
        return false;
    program = text.substr(newline + 1);
    if (std::size_t stop = program.find('\n'); stop != std::string::npos)
        program.erase(stop);
    return true;
}

// Open-file-description locks: held per open file (so a second open in the
// same process conflicts too) and testable without taking them.
bool LockWhole(int fd)
{
    struct flock lock { };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool IsHeldElsewhere(int fd)
{
    struct flock lock { };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

bool WriteAll(int fd, const std::string& text)
{
    if (::ftruncate(fd, 0) != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

} // namespace

CString CFileLock::DescribeHolder(int fd)
{
    long pid = 0;
    CString program;
    if (!ReadOwner(fd, pid, program))
        return "another program"; // the holder has not written its name yet
    if (program.empty())
        program = "another program";
    return program + " (process " + std::to_string(pid) + ")";
}

CFileLock::CResult CFileLock::Acquire(const CString& path, const CString& programName)
{
    Release();
    CResult result;
    const CString lockPath = LockPathFor(path);
    auto fail = [&](const CString& what, int err) {
        result.outcome = FAILED;
        // O_NOFOLLOW reports a link as a loop, which would say nothing.
        result.error = what + " " + lockPath + ": " + (err == ELOOP ? "it is a symbolic link" : std::strerror(err));
        return result;
    };
    // A holder that releases removes the file; whoever locked the removed
    // file must start again on the new one, or two could both win.
    for (int attempt = 0; attempt < 20; ++attempt) {
        // Never through a link: the file is truncated and written below.
        int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0)
            return fail("cannot create or open", errno);
        if (!LockWhole(fd)) {
            const int error = errno;
            if (error == EAGAIN || error == EACCES) {
                result.outcome = HELD_ELSEWHERE;
                result.holder = DescribeHolder(fd);
                ::close(fd);
                return result;
            }
            ::close(fd);
            return fail("cannot lock", error);
        }
        struct stat opened, named;
        if (::fstat(fd, &opened) != 0 || ::lstat(lockPath.c_str(), &named) != 0 || opened.st_ino != named.st_ino
            || opened.st_dev != named.st_dev) {
            ::close(fd);
            continue;
        }
        // A hard link planted in its place would have us truncate another file.
        if (!S_ISREG(opened.st_mode) || opened.st_nlink != 1) {
            ::close(fd);
            result.error = "cannot use " + lockPath + ": it is not a regular file with one name";
            return result;
        }
        if (!WriteAll(fd, std::to_string(::getpid()) + "\n" + programName + "\n")) {
            const int error = errno;
            ::unlink(lockPath.c_str());
            ::close(fd);
            return fail("cannot write", error);
        }
        m_fd = fd;
        m_lockPath = lockPath;
        result.outcome = ACQUIRED;
        return result;
    }
    result.error = "cannot lock " + lockPath + ": it keeps being replaced";
    return result;
}

void CFileLock::Release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so nobody can lock the old file after us.
    ::unlink(m_lockPath.c_str());
    ::close(m_fd);
    m_fd = -1;
    m_lockPath.clear();
}

bool CFileLock::IsLocked(const CString& path, CString& holder)
{
    holder.clear();
    int fd = ::open(LockPathFor(path).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool locked = IsHeldElsewhere(fd);
    if (locked)
        holder = DescribeHolder(fd);
    ::close(fd);
    return locked;
}
