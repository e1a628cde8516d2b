#include "net/MimeAppsList.h"

#include "net/DesktopEntry.h"
#include "net/XdgDirs.h"
#include "net/XdgKeyFile.h"

namespace {

const char* const DEFAULTS_GROUP = "Default Applications";

void AddListFilesOf(const CString& dir, const CStringList& desktops, CStringList& files)
{
    for (const CString& desktop : desktops)
        files.AddTail(dir + "/" + desktop + "-mimeapps.list");
    files.AddTail(dir + "/mimeapps.list");
}

} // namespace

CStringList CMimeAppsList::GetListFiles()
{
    const CStringList desktops = CXdgDirs::GetCurrentDesktops();
    CStringList files;
    const CString configHome = CXdgDirs::GetConfigHome();
    if (!configHome.empty())
        AddListFilesOf(configHome, desktops, files);
    for (const CString& dir : CXdgDirs::GetConfigDirs())
        AddListFilesOf(dir, desktops, files);
    const CString dataHome = CXdgDirs::GetDataHome();
    if (!dataHome.empty())
        AddListFilesOf(dataHome + "/applications", desktops, files);
    for (const CString& dir : CXdgDirs::GetDataDirs())
        AddListFilesOf(dir + "/applications", desktops, files);
    return files;
}

CString CMimeAppsList::FindDefaultApplication(const CString& mimeType)
{
    for (const CString& listFile : GetListFiles()) {
        CXdgKeyFile file;
        if (!file.Load(listFile))
            continue;
        for (const CString& desktopId : file.GetStringList(DEFAULTS_GROUP, mimeType)) {
            const CString entryFile = CXdgDirs::FindDesktopFile(desktopId);
            CDesktopEntry entry;
            if (!entryFile.empty() && entry.Load(entryFile) && entry.IsInstalled())
                return entryFile;
        }
    }
    return CString();
}
