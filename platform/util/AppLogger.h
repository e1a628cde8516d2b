#pragma once
// The application log: one line per unexpected condition, each a fixed
// identifier text in brace-enclosed GUID form, no level. Lines collect in
// memory and reach the file on ForceWrite (and on destruction).

#include <mutex>

#include "platform/util/VemoTypes.h"

class CAppLogger {
public:
    static CAppLogger* GetInstance();
    static void DeleteInstance();

    void SetLogFile(const CString& path);
    const CString& GetLogFile() const { return m_path; }
    // Adds "YYYY-MM-DD HH:MM:SS <text>".
    void AddLine(const CString& text);
    // Appends the pending lines to the log file; false when it cannot. A
    // log file that is a symbolic link, has other names (hard links) or is
    // not a regular file is never written; the lines stay pending.
    bool ForceWrite();
    // Lines added since the start (kept for tests and the about box).
    CStringList GetLines() const;

private:
    CAppLogger() = default;
    ~CAppLogger();

    mutable std::mutex m_mutex;
    CString m_path;
    CStringList m_pending;
    CStringList m_all;
};

// Writes one identifier line and flushes; the usual call at an unexpected
// condition.
void VemoLog(const char* guid);
