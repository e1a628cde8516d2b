#include "platform/appcfg/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/util/DataFolder.h"
#include "platform/util/DirUtils.h"

namespace {

CString& DataDirOverride()
{
    static CString dir;
    return dir;
}

CString HomeDir()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

} // namespace

CString CAppPaths::XdgDir(const char* var, const char* fallback)
{
    // The XDG rules ignore relative values.
    const char* value = std::getenv(var);
    CString base = (value && value[0] == '/') ? CString(value) : HomeDir() + "/" + fallback;
    return CDirUtils::WithTrailingSeparator(base);
}

CString CAppPaths::DataDir()
{
    if (!DataDirOverride().empty())
        return DataDirOverride();
    return XdgDir("XDG_DATA_HOME", ".local/share") + CDataFolder::APP_NAME + "/";
}

CString CAppPaths::ConfigDir()
{
    return XdgDir("XDG_CONFIG_HOME", ".config") + CDataFolder::APP_NAME + "/";
}

void CAppPaths::SetDataDirOverride(const CString& dir)
{
    if (dir.empty()) {
        DataDirOverride().clear();
        return;
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(dir, ec);
    CString path = ec ? dir : absolute.lexically_normal().string();
    DataDirOverride() = CDirUtils::WithTrailingSeparator(path);
}

bool CAppPaths::HasDataDirOverride()
{
    return !DataDirOverride().empty();
}

CString CAppPaths::ArchivesDir()
{
    return CDataFolder(DataDir()).ArchivesDir();
}

CString CAppPaths::TemplatesDir()
{
    return CDataFolder(DataDir()).TemplatesDir();
}

CString CAppPaths::WebReportsDir()
{
    return CDataFolder(DataDir()).WebReportsDir();
}

CString CAppPaths::LogFile()
{
    return CDataFolder(DataDir()).LogPath();
}

CString CAppPaths::SharedDataFile()
{
    return CDataFolder(DataDir()).SharedDataPath();
}

CString CAppPaths::LibraryFile(const CString& name)
{
    return CDataFolder(DataDir()).LibraryPath(name);
}

CString CAppPaths::SettingsFile()
{
    return ConfigDir() + CDataFolder::APP_NAME + ".settings";
}

bool CAppPaths::EnsureDataDir()
{
    bool ok = CDirUtils::CreateDir(DataDir());
    ok = CDirUtils::CreateDir(ArchivesDir()) && ok;
    ok = CDirUtils::CreateDir(TemplatesDir()) && ok;
    ok = CDirUtils::CreateDir(WebReportsDir()) && ok;
    return ok;
}
