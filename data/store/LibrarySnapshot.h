#pragma once
// A library together with the shared lists (publishers, persons, magazine
// titles), kept as bytes so that a change that fails part-way, or one made
// only to see its outcome, can be undone whole.

#include <string>

#include "platform/util/VemoTypes.h"

class CLibrary;

class CLibrarySnapshot {
public:
    // Keeps the library and the shared lists as they are now; false (with
    // error set) when they cannot be written.
    bool Take(CLibrary& library, CString& error);
    bool IsTaken() const { return m_taken; }
    // Puts the shared lists back (when they changed since) and then the
    // library, keeping its name and folders; false (with error set) when
    // the library could not be read back.
    bool Restore(CLibrary& library, CString& error) const;

    // The shared lists alone.
    static std::string SharedBytes();
    // Replaces the shared lists by what bytes hold; nothing when they hold
    // the same already. Throws CArchiveException for bytes that are no block.
    static void RestoreShared(const std::string& bytes);

private:
    std::string m_library;
    std::string m_shared;
    bool m_taken = false;
};
