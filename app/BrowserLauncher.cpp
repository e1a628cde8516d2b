#include "app/BrowserLauncher.h"

#include "net/BrowserUtils.h"
#include "net/MailUtils.h"

namespace {
CBrowserLauncher::Opener g_opener;
} // namespace

bool CBrowserLauncher::Open(const QString& url, QString& reason)
{
    if (g_opener)
        return g_opener(url, reason);
    CString error;
    if (CBrowserUtils::OpenURL(url.toStdString(), error))
        return true;
    reason = QString::fromStdString(error);
    return false;
}

bool CBrowserLauncher::OpenMail(const QString& url, QString& reason)
{
    if (g_opener)
        return g_opener(url, reason);
    CString error;
    if (CMailUtils::OpenMailTo(url.toStdString(), error))
        return true;
    reason = QString::fromStdString(error);
    return false;
}

void CBrowserLauncher::SetOpenerForTesting(Opener opener)
{
    g_opener = std::move(opener);
}
