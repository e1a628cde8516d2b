#pragma once
// Where VemoLibrary keeps its files for the user: the data directory D
// ($XDG_DATA_HOME/VemoLibrary/, by default ~/.local/share/VemoLibrary/) and
// the settings folder ($XDG_CONFIG_HOME/VemoLibrary/). Every folder returned
// ends in "/"; what lies inside D is CDataFolder's.

#include "platform/util/VemoTypes.h"

class CAppPaths {
public:
    static CString DataDir();
    static CString ConfigDir();

    // Makes DataDir() answer dir (made absolute) instead of the XDG folder,
    // as the command-line tool's --data-dir asks; "" goes back to XDG.
    static void SetDataDirOverride(const CString& dir);
    static bool HasDataDirOverride();

    static CString ArchivesDir();
    static CString TemplatesDir();
    static CString WebReportsDir();
    static CString LogFile();
    static CString SharedDataFile();
    static CString LibraryFile(const CString& name);
    static CString SettingsFile(); // ConfigDir() + "VemoLibrary.settings"

    // Creates D and its Archives, Templates and WebReports folders; true
    // when all of them exist afterwards.
    static bool EnsureDataDir();

private:
    // $var when it is an absolute path, otherwise home + fallback.
    static CString XdgDir(const char* var, const char* fallback);
};
