#include "net/BrowserUtils.h"

#include <cstdlib>

#include "net/DesktopEntry.h"
#include "net/MimeAppsList.h"
#include "net/ProgramLauncher.h"
#include "net/XdgDirs.h"
#include "platform/util/AppLogger.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const WEB_LINK_TYPE = "x-scheme-handler/http";

struct KnownBrowser {
    const char* desktopIds[5]; // the usual ids of its packages, most common first; the rest null
};

// The order of the answer of GetInstalledBrowsers.
const KnownBrowser KNOWN_BROWSERS[] = {
    { { "firefox.desktop", "firefox-esr.desktop", "org.mozilla.firefox.desktop", "firefox_firefox.desktop" } },
    { { "seamonkey.desktop", "org.mozilla.SeaMonkey.desktop", "netscape.desktop", "navigator.desktop" } },
    { { "opera.desktop", "com.opera.Opera.desktop", "opera_opera.desktop" } },
    { { "chromium.desktop", "chromium-browser.desktop", "org.chromium.Chromium.desktop",
        "chromium_chromium.desktop" } },
    { { "google-chrome.desktop", "com.google.Chrome.desktop" } },
    { { "brave-browser.desktop", "com.brave.Browser.desktop", "brave_brave.desktop" } },
    { { "vivaldi-stable.desktop", "vivaldi.desktop", "com.vivaldi.Vivaldi.desktop" } },
    { { "microsoft-edge.desktop", "com.microsoft.Edge.desktop" } },
    { { "org.gnome.Epiphany.desktop", "epiphany.desktop", "epiphany-browser.desktop" } },
    { { "org.kde.konqueror.desktop", "konqueror.desktop", "kde4-konqueror.desktop" } },
    { { "org.kde.falkon.desktop", "falkon.desktop" } },
    { { "org.midori_browser.Midori.desktop", "midori.desktop" } },
    { { "librewolf.desktop", "io.gitlab.librewolf-community.desktop" } },
    { { "org.qutebrowser.qutebrowser.desktop" } },
};

// "~", "~/...", "$HOME" and "${HOME}" at the start of an icon path; false
// when one is there but HOME is not set.
bool ExpandHome(CString& path)
{
    std::size_t prefix = 0;
    if (path == "~" || path.rfind("~/", 0) == 0)
        prefix = 1;
    else if (path.rfind("${HOME}", 0) == 0)
        prefix = 7;
    else if (path.rfind("$HOME", 0) == 0 && (path.size() == 5 || path[5] == '/'))
        prefix = 5;
    if (prefix == 0)
        return true;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return false;
    path = CString(home) + path.substr(prefix);
    return true;
}

bool HasControlCharacter(const CString& text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

} // namespace

bool CBrowserUtils::LoadDefaultBrowserEntry(CDesktopEntry& entry)
{
    const CString file = CMimeAppsList::FindDefaultApplication(WEB_LINK_TYPE);
    return !file.empty() && entry.Load(file);
}

CString CBrowserUtils::GetDefaultBrowserPath()
{
    CDesktopEntry entry;
    if (!LoadDefaultBrowserEntry(entry))
        return CString();
    return CProgramLauncher::FindProgram(entry.GetProgram());
}

CString CBrowserUtils::GetDefaultBrowserName()
{
    CDesktopEntry entry;
    return LoadDefaultBrowserEntry(entry) ? entry.GetName() : CString();
}

CString CBrowserUtils::GetDefaultBrowserIcon(int& iconIndex)
{
    iconIndex = -1;
    CDesktopEntry entry;
    if (!LoadDefaultBrowserEntry(entry))
        return CString();
    CString icon = entry.GetIcon();
    if (icon.empty())
        return CString();
    const std::size_t comma = icon.find(',');
    if (comma != CString::npos) {
        iconIndex = CNumberTextConv::GetNumberFromString(icon.substr(comma + 1));
        icon.erase(comma);
    }
    if (!ExpandHome(icon)) {
        VemoLog("{98931B32-82F1-4E44-9811-439B4419B11C}");
        return CString();
    }
    return icon;
}

void CBrowserUtils::GetInstalledBrowsers(CStringList& names)
{
    names.RemoveAll();
    CStringList entryFiles;
    for (const KnownBrowser& browser : KNOWN_BROWSERS) {
        for (const char* desktopId : browser.desktopIds) {
            if (!desktopId)
                break;
            const CString file = CXdgDirs::FindDesktopFile(desktopId);
            CDesktopEntry entry;
            if (file.empty() || !entry.Load(file) || !entry.IsInstalled() || entry.IsNoDisplay()
                || entry.GetName().empty())
                continue;
            // Packages of one browser may install an entry under several ids.
            if (!entryFiles.Find(file) && !names.Find(entry.GetName())) {
                entryFiles.AddTail(file);
                names.AddTail(entry.GetName());
            }
            break;
        }
    }
}

bool CBrowserUtils::OpenURL(const CString& url, CString& error)
{
    error.clear();
    if (CStringUtils::IsEffectivelyEmpty(url)) {
        error = "No web address was given.";
        return false;
    }
    if (url[0] == '-' || HasControlCharacter(url)) {
        error = "The web address cannot be opened, because it starts with \"-\" or holds control characters.";
        return false;
    }
    CArray<CStringArray> commands;
    const CString opener = CProgramLauncher::FindProgram("xdg-open");
    if (!opener.empty())
        commands.Add(CStringArray { opener, url });
    const CString browser = GetDefaultBrowserPath();
    if (!browser.empty())
        commands.Add(CStringArray { browser, url });
    if (commands.IsEmpty()) {
        error = "No program to open web addresses was found (neither xdg-open nor a default web browser).";
        return false;
    }
    return CProgramLauncher::StartDetached(commands, error);
}
