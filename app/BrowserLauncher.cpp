#include "app/BrowserLauncher.h"

#include "net/BrowserUtils.h"
#include "net/MailUtils.h"

namespace {

CBrowserLauncher::Opener g_opener;

bool OpenWith(bool (*open)(const CString& url, CString& error), const QString& url, QString& reason)
{
    if (g_opener)
        return g_opener(url, reason);
    CString error;
    if (open(url.toStdString(), error))
        return true;
    reason = QString::fromStdString(error);
    return false;
}

} // namespace

bool CBrowserLauncher::Open(const QString& url, QString& reason)
{
    return OpenWith(&CBrowserUtils::OpenURL, url, reason);
}

bool CBrowserLauncher::OpenMail(const QString& url, QString& reason)
{
    return OpenWith(&CMailUtils::OpenMailTo, url, reason);
}

void CBrowserLauncher::SetOpenerForTesting(Opener opener)
{
    g_opener = std::move(opener);
}
