#include "net/XdgDirs.h"

#include <cstdlib>
#include <filesystem>

#include "platform/util/StringUtils.h"

namespace {

CString GetEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value ? CString(value) : CString();
}

CString WithoutTrailingSlash(CString path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

CString HomeOrEmpty(const char* subPath)
{
    const CString home = GetEnv("HOME");
    if (home.empty() || home[0] != '/')
        return CString();
    return WithoutTrailingSlash(home) + subPath;
}

CString SingleDir(const char* variable, const char* homeSubPath)
{
    const CString value = GetEnv(variable);
    if (!value.empty() && value[0] == '/')
        return WithoutTrailingSlash(value);
    return HomeOrEmpty(homeSubPath);
}

CStringList DirList(const char* variable, const char* defaults)
{
    CString value = GetEnv(variable);
    if (value.empty())
        value = defaults;
    CStringList parts, dirs;
    CStringUtils::SplitLine(value, ":", parts);
    for (const CString& part : parts)
        if (!part.empty() && part[0] == '/')
            dirs.AddTail(WithoutTrailingSlash(part));
    CStringUtils::RemoveDuplicates(dirs);
    return dirs;
}

bool IsRegularFile(const CString& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool IsDirectory(const CString& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

// A "-" in an id may stand for a folder separator below the applications
// folder; each such split is tried where the folder exists.
CString ResolveDesktopId(const CString& dir, const CString& rest)
{
    if (IsRegularFile(dir + "/" + rest))
        return dir + "/" + rest;
    for (std::size_t dash = rest.find('-'); dash != CString::npos; dash = rest.find('-', dash + 1)) {
        const CString folder = rest.substr(0, dash);
        if (folder.empty() || folder == "." || folder == ".." || !IsDirectory(dir + "/" + folder))
            continue;
        CString found = ResolveDesktopId(dir + "/" + folder, rest.substr(dash + 1));
        if (!found.empty())
            return found;
    }
    return CString();
}

} // namespace

CString CXdgDirs::GetConfigHome()
{
    return SingleDir("XDG_CONFIG_HOME", "/.config");
}

CString CXdgDirs::GetDataHome()
{
    return SingleDir("XDG_DATA_HOME", "/.local/share");
}

CStringList CXdgDirs::GetConfigDirs()
{
    return DirList("XDG_CONFIG_DIRS", "/etc/xdg");
}

CStringList CXdgDirs::GetDataDirs()
{
    return DirList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

CStringList CXdgDirs::GetCurrentDesktops()
{
    CStringList parts, desktops;
    const CString value = GetEnv("XDG_CURRENT_DESKTOP");
    if (value.empty())
        return desktops;
    CStringUtils::SplitLine(value, ":", parts);
    for (const CString& part : parts) {
        const CString name = CStringUtils::ToLower(CStringUtils::Trim(part));
        // The name becomes part of a file name; one with a separator is not a desktop.
        if (!name.empty() && name.find('/') == CString::npos)
            desktops.AddTail(name);
    }
    CStringUtils::RemoveDuplicates(desktops);
    return desktops;
}

CStringList CXdgDirs::GetApplicationDirs()
{
    CStringList dirs;
    const CString dataHome = GetDataHome();
    if (!dataHome.empty())
        dirs.AddTail(dataHome + "/applications");
    for (const CString& dir : GetDataDirs())
        dirs.AddTail(dir + "/applications");
    CStringUtils::RemoveDuplicates(dirs);
    return dirs;
}

CString CXdgDirs::FindDesktopFile(const CString& desktopId)
{
    if (desktopId.empty() || desktopId.find('/') != CString::npos || desktopId == "." || desktopId == "..")
        return CString();
    for (const CString& dir : GetApplicationDirs()) {
        CString found = ResolveDesktopId(dir, desktopId);
        if (!found.empty())
            return found;
    }
    return CString();
}
