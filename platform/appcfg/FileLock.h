#pragma once
// One process at a time changes a data file: the holder keeps an advisory
// lock (fcntl, per open file) on "<path>.lock", which also names it (process id and
// program). The kernel drops the lock when the holder ends, so a lock file
// left by a process that is gone is simply taken over. The lock file is
// never opened through a symbolic link, and one that is a link, has other
// names or is not a regular file is refused rather than written.

#include <sys/types.h>

#include "platform/util/VemoTypes.h"

class CFileLock {
public:
    enum Outcome {
        ACQUIRED,
        HELD_ELSEWHERE, // another live process (or another CFileLock) has it
        FAILED, // the lock file could not be made, opened, locked or written
    };
    struct CResult {
        Outcome outcome = FAILED;
        // HELD_ELSEWHERE: who has it ("vemolibrary-cli (process 1234)").
        CString holder;
        // FAILED: what went wrong, naming the lock file ("cannot create or
        // open /data/Lib.vly.lock: Read-only file system").
        CString error;
        bool Acquired() const { return outcome == ACQUIRED; }
    };

    CFileLock() = default;
    ~CFileLock() { Release(); }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Takes the lock of the data file at path.
    CResult Acquire(const CString& path, const CString& programName);
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
