#pragma once
// The layout of a data folder D, spelled here and nowhere else: libraries
// D + name + ".vly", the shared data file D + "VemoLibrary2.dat" (persons,
// publishers and magazine titles of every library), archive copies in
// D + "Archives/", web report templates and output in D + "Templates/" and
// D + "WebReports/", the log D + "VemoLibrary.log".

#include "platform/util/VemoTypes.h"

class CDataFolder {
public:
    static constexpr const char* APP_NAME = "VemoLibrary";
    static constexpr const char* LIBRARY_EXT = "vly";
    // The shared data file's name without its extension; no library may
    // take it, since the file's archives are named after it.
    static constexpr const char* SHARED_DATA_TITLE = "VemoLibrary2";
    static constexpr const char* SHARED_DATA_EXT = "dat";
    static constexpr const char* ARCHIVES = "Archives/";
    static constexpr const char* TEMPLATES = "Templates/";
    static constexpr const char* WEB_REPORTS = "WebReports/";

    CDataFolder() = default;
    // dir gets a trailing "/" when it has none.
    explicit CDataFolder(const CString& dir)
        : m_dir(dir.empty() || dir.back() == '/' ? dir : dir + "/")
    {
    }

    const CString& Dir() const { return m_dir; }
    CString LibraryPath(const CString& name) const { return m_dir + LibraryFileName(name); }
    CString SharedDataPath() const { return m_dir + SharedDataFileName(); }
    CString ArchivesDir() const { return m_dir + ARCHIVES; }
    CString TemplatesDir() const { return m_dir + TEMPLATES; }
    CString WebReportsDir() const { return m_dir + WEB_REPORTS; }
    CString LogPath() const { return m_dir + APP_NAME + ".log"; }

    static CString LibraryFileName(const CString& name) { return name + "." + LIBRARY_EXT; }
    static CString SharedDataFileName() { return CString(SHARED_DATA_TITLE) + "." + SHARED_DATA_EXT; }
    // The library a file of the folder holds: the name before ".vly" in
    // exactly that spelling (a library is opened as name + ".vly"); "" for
    // any other file.
    static CString LibraryNameOf(const CString& fileName)
    {
        const CString suffix = CString(".") + LIBRARY_EXT;
        if (fileName.size() <= suffix.size()
            || fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
            return CString();
        return fileName.substr(0, fileName.size() - suffix.size());
    }

private:
    CString m_dir;
};
