#pragma once
// Opens web addresses and local pages in the user's browser, and mailto:
// addresses in the mail program; tests put an opener of their own in the
// place of both.

#include <QString>
#include <functional>

class CBrowserLauncher {
public:
    // Opens url; false with a reason when it cannot.
    using Opener = std::function<bool(const QString& url, QString& reason)>;

    static bool Open(const QString& url, QString& reason);
    // Opens a mailto: address; false with a reason when no mail program
    // can take it.
    static bool OpenMail(const QString& url, QString& reason);
    // An empty opener goes back to the browser.
    static void SetOpenerForTesting(Opener opener);
};
