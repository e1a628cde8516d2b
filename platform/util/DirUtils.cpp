#include "platform/util/DirUtils.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <vector>

#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

bool CDirUtils::DoesDirExist(const CString& path)
{
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CDirUtils::EnsureTrailingBackslash(CString& path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
}

CString CDirUtils::WithTrailingSeparator(const CString& path)
{
    CString result = path;
    EnsureTrailingBackslash(result);
    return result;
}

bool CDirUtils::CreateDir(const CString& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return DoesDirExist(path);
}

void CDirUtils::ListFiles(const CString& dir, const CString& ext, CStringList& names)
{
    if (dir.empty())
        return;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        return;
    const CString folder = WithTrailingSeparator(dir);
    std::vector<CString> found;
    while (struct dirent* entry = ::readdir(handle.get())) {
        CString name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (!ext.empty() && !CStringUtils::EqualsNoCase(CFileUtils::ParseExtension(name), ext))
            continue;
        // d_type is not filled on every file system, and a link to a file counts.
        if (CFileUtils::DoesFileExist(folder + name))
            found.push_back(std::move(name));
    }
    std::sort(found.begin(), found.end());
    for (const CString& name : found)
        names.AddTail(name);
}

bool CDirUtils::DeleteDir(const CString& path)
{
    struct stat st;
    // A link is not followed, and the root is never a folder to empty.
    if (path.empty() || path.find_first_not_of('/') == CString::npos || ::lstat(path.c_str(), &st) != 0
        || !S_ISDIR(st.st_mode))
        return false;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    return !ec && !DoesDirExist(path);
}
