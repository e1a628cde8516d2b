#pragma once
// Which program the desktop writes mail with (the handler of mailto:
// links), and starting it on a mailto: address.

#include "platform/util/VemoTypes.h"

class CMailUtils {
public:
    // The desktop entry file of the mail program: the default handler of
    // x-scheme-handler/mailto in mimeapps.list, else the first installed
    // entry that mimeinfo.cache of an applications folder lists for it;
    // "" when there is none.
    static CString FindMailProgram();

    // Opens a "mailto:" address with xdg-open, or with the mail program
    // itself when xdg-open cannot be started. False with a reason when the
    // address is not a mailto: address, holds control characters, or no
    // mail program is set up (xdg-open would then hand it to nobody, or to
    // a web browser).
    static bool OpenMailTo(const CString& url, CString& error);
};
