#pragma once
// Which web browser the user's desktop opens web links with, and which
// known browsers are installed; answered from the freedesktop.org settings
// (mimeapps.list and desktop entries), read afresh on every call.

#include "platform/util/VemoTypes.h"

class CDesktopEntry;

class CBrowserUtils {
public:
    // The program the default web link handler starts, as an absolute
    // path; "" when there is no handler or its program cannot be found.
    static CString GetDefaultBrowserPath();
    // The handler's Name; "" when there is none.
    static CString GetDefaultBrowserName();
    // The handler's Icon: a theme icon name or a file ("~" and a leading
    // $HOME expanded). iconIndex is -1 unless the value has the "file,index"
    // form, whose file part is returned.
    static CString GetDefaultBrowserIcon(int& iconIndex);
    // Empties names, then appends the Name of each known browser that is
    // installed, once each, in this order: Firefox, SeaMonkey (the Netscape
    // navigator line), Opera, Chromium, Google Chrome, Brave, Vivaldi,
    // Microsoft Edge, GNOME Web, Konqueror, Falkon, Midori, LibreWolf,
    // qutebrowser. A browser counts as installed when a desktop entry of
    // one of its packages (distribution, Flatpak or Snap ids) is in the
    // applications folder of $XDG_DATA_HOME or $XDG_DATA_DIRS and is neither
    // hidden nor NoDisplay.
    static void GetInstalledBrowsers(CStringList& names);

    // Opens url with xdg-open, or with the default browser's program when
    // that cannot be started, detached from this process. The address is
    // handed over as one argument, never through a shell; an address that
    // is empty, starts with "-" (it would read as an option) or holds
    // control characters is refused. False with a reason in error.
    static bool OpenURL(const CString& url, CString& error);

private:
    static bool LoadDefaultBrowserEntry(CDesktopEntry& entry);
};
