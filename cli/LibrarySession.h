#pragma once
// One library of the data directory opened by the tool, the way the program
// opens it: the shared data file first (items refer to its publishers and
// magazine titles), then the library file. A session that changes the
// library holds its lock from opening to saving, so that the program and
// the tool never change it at once; saving archives the old files first
// and writes each file whole or not at all.

#include <memory>
#include <string>

#include "platform/appcfg/FileLock.h"
#include "platform/util/VemoTypes.h"

class CLibrary;

class CLibrarySession {
public:
    static constexpr int ARCHIVE_COUNT = 10;

    // name is a library of dataDir (ignoring case when there is no exact
    // match).
    CLibrarySession(const CString& dataDir, const CString& name);
    ~CLibrarySession();
    CLibrarySession(const CLibrarySession&) = delete;
    CLibrarySession& operator=(const CLibrarySession&) = delete;

    // Reads the shared data and the library; with forChange takes the lock
    // first and refuses a shared data file it cannot read (saving would
    // lose it). A shared data file that cannot be read when only reading
    // gives warning. False with error set when the library cannot be used.
    bool Open(bool forChange, CString& error, CString& warning);

    CLibrary& GetLibrary() { return *m_library; }
    const CString& GetName() const { return m_name; }
    const CString& GetPath() const { return m_path; }

    // Whether the shared lists differ from the shared data file read.
    bool SharedDataChanged() const;
    // Archives and writes the shared data file (when it changed) and the
    // library. Refused while another program holds any library of the data
    // directory and the shared data changed: it would write its own copy of
    // the shared lists over the new one. Nothing is written when a check or
    // an archive copy fails.
    bool Save(CString& error);

private:
    bool ReadSharedData(CString& error);
    CString SharedDataPath() const;
    // Another program that holds a library of the data directory.
    bool FindOtherHolder(CString& holder) const;

    CString m_dataDir;
    CString m_name;
    CString m_path;
    std::unique_ptr<CLibrary> m_library;
    CFileLock m_lock;
    std::string m_sharedAtOpen;
    bool m_forChange = false;
};
