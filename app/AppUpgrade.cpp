#include "app/AppUpgrade.h"

#include "platform/appcfg/AppSettings.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

CVersionNumber CAppUpgrade::RunningVersion()
{
    return ParseVersion(VEMO_VERSION);
}

CVersionNumber CAppUpgrade::ParseVersion(const CString& text)
{
    CStringArray parts;
    CStringUtils::SplitLine(text, ".", parts);
    auto part = [&parts](int i) { return i < parts.GetSize() ? CNumberTextConv::GetNumberFromString(parts[i]) : 0; };
    return CVersionNumber(part(0), part(1), part(2));
}

bool CAppUpgrade::UpgradeCompleted(CAppSettings& settings, const CVersionNumber& running)
{
    if (!(running > settings.GetVersionNumber()))
        return false;
    settings.SetUpgradeVersionNumber(running.GetMajor(), running.GetMinor(), running.GetBuild());
    return true;
}

bool CAppUpgrade::CheckForUpgrades(const CString&, const CVersionNumber&)
{
    // Nothing to ask: new versions arrive as packages.
    m_newer = false;
    return m_newer;
}
