#pragma once
// One process at a time changes a data file: the holder keeps an advisory
// lock (fcntl, per open file) on "<path>.lock", which also names it (process id and
// program). The kernel drops the lock when the holder ends, so a lock file
// left by a process that is gone is simply taken over.

#include <sys/types.h>

#include "platform/util/VemoTypes.h"

class CFileLock {
public:
    CFileLock() = default;
    ~CFileLock() { Release(); }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Takes the lock of the data file at path. When another live process
    // (or another CFileLock) holds it, returns false and describes the
    // holder ("vemolibrary-cli (process 1234)"); other failures describe
    // the error.
    bool Acquire(const CString& path, const CString& programName, CString& holder);
    // Gives the lock up and removes the lock file; nothing when not held.
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    const CString& GetLockPath() const { return m_lockPath; }

    // Who holds the lock of path, without taking it; false when nobody does.
    static bool IsLocked(const CString& path, CString& holder);
    static CString LockPathFor(const CString& path) { return path + ".lock"; }

private:
    static CString DescribeHolder(int fd);

    int m_fd = -1;
    CString m_lockPath;
};
