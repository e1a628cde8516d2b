#include "net/MailUtils.h"

#include "net/DesktopEntry.h"
#include "net/MimeAppsList.h"
#include "net/ProgramLauncher.h"
#include "net/XdgDirs.h"
#include "net/XdgKeyFile.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const MAIL_LINK_TYPE = "x-scheme-handler/mailto";

CString FindInMimeCache()
{
    for (const CString& dir : CXdgDirs::GetApplicationDirs()) {
        CXdgKeyFile cache;
        if (!cache.Load(dir + "/mimeinfo.cache"))
            continue;
        for (const CString& desktopId : cache.GetStringList("MIME Cache", MAIL_LINK_TYPE)) {
            const CString file = CXdgDirs::FindDesktopFile(desktopId);
            CDesktopEntry entry;
            if (!file.empty() && entry.Load(file) && entry.IsInstalled())
                return file;
        }
    }
    return CString();
}

} // namespace

CString CMailUtils::FindMailProgram()
{
    const CString file = CMimeAppsList::FindDefaultApplication(MAIL_LINK_TYPE);
    return file.empty() ? FindInMimeCache() : file;
}

bool CMailUtils::OpenMailTo(const CString& url, CString& error)
{
    error.clear();
    if (url.size() <= 7 || !CStringUtils::MatchFirstChars(url, "mailto:", true)) {
        error = "\"" + url + "\" is not a mail address (mailto:).";
        return false;
    }
    for (char c : url) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            error = "The mail address holds control characters.";
            return false;
        }
    }
    CDesktopEntry entry;
    const CString entryFile = FindMailProgram();
    if (entryFile.empty() || !entry.Load(entryFile)) {
        error = "No mail program is set up on this computer to write mail from links.";
        return false;
    }
    CArray<CStringArray> commands;
    const CString opener = CProgramLauncher::FindProgram("xdg-open");
    if (!opener.empty())
        commands.Add(CStringArray { opener, url });
    const CString program = CProgramLauncher::FindProgram(entry.GetProgram());
    if (!program.empty())
        commands.Add(CStringArray { program, url });
    if (commands.IsEmpty()) {
        error = "The mail program \"" + entry.GetName() + "\" cannot be found.";
        return false;
    }
    return CProgramLauncher::StartDetached(commands, error);
}
