#pragma once
// The freedesktop.org base folders, read from the environment on every call
// (XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS with their
// standard defaults under $HOME, /etc/xdg, /usr/local/share and /usr/share;
// relative entries are ignored), and the look-up of desktop entry files.

#include "platform/util/VemoTypes.h"

class CXdgDirs {
public:
    // Folders without a trailing "/"; "" when neither the variable nor
    // $HOME gives one.
    static CString GetConfigHome();
    static CString GetDataHome();
    // In order of precedence, without duplicates.
    static CStringList GetConfigDirs();
    static CStringList GetDataDirs();
    // The names in XDG_CURRENT_DESKTOP, lower-cased, in order.
    static CStringList GetCurrentDesktops();
    // The "applications" folder of the data home, then of every data dir.
    static CStringList GetApplicationDirs();

    // The file of a desktop file id ("org.gnome.Epiphany.desktop"; a file
    // "kde4/konqueror.desktop" below an applications folder has the id
    // "kde4-konqueror.desktop") from the first applications folder that has
    // it; "" when none does or the id is not a plain file name.
    static CString FindDesktopFile(const CString& desktopId);
};
