#pragma once
// The user's and the system's choice of default applications, from the
// mimeapps.list files of the freedesktop.org association rules.

#include "platform/util/VemoTypes.h"

class CMimeAppsList {
public:
    // The files consulted, in order: for each of the config home, the
    // config dirs, the data home's applications folder and each data dir's
    // applications folder, first "<desktop>-mimeapps.list" for every name
    // in XDG_CURRENT_DESKTOP, then "mimeapps.list". Missing files included.
    static CStringList GetListFiles();

    // The desktop entry file of the default application for a mime type
    // (say "x-scheme-handler/http"): the first id of the [Default
    // Applications] entry that is installed, from the first file whose list
    // names an installed one; "" when there is none.
    static CString FindDefaultApplication(const CString& mimeType);
};
