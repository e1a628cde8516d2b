#pragma once
// Folder helpers; the path separator is "/".

#include "platform/util/VemoTypes.h"

class CDirUtils {
public:
    static bool DoesDirExist(const CString& path);
    // Adds "/" when the path does not end in one (an empty path stays empty).
    static void EnsureTrailingBackslash(CString& path);
    static CString WithTrailingSeparator(const CString& path);
    // Creates the folder and its missing parents; true when it exists after.
    static bool CreateDir(const CString& path);
    // Appends the names (not paths) of the regular files in dir whose
    // extension equals ext ignoring case (ext without the dot; "" lists all),
    // sorted by name.
    static void ListFiles(const CString& dir, const CString& ext, CStringList& names);
    // Removes a folder and everything in it.
    static bool DeleteDir(const CString& path);
    // fsync of a folder, so that a rename in it is on disk.
    static bool SyncDir(const CString& path);
};
