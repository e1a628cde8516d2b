#pragma once
// Upgrades on Linux come through the system's package manager. A completed
// upgrade shows as a program newer than the one that last wrote the
// settings. There is no update service to ask for newer versions, so the
// check at start-up never finds one.

#include "platform/appcfg/VersionNumber.h"
#include "platform/util/VemoTypes.h"

class CAppSettings;

class CAppUpgrade {
public:
    // The running program's version ("2.0.4").
    static CVersionNumber RunningVersion();
    static CVersionNumber ParseVersion(const CString& text);

    // True when running is newer than the version the settings keep; the
    // settings then hold running as their upgrade version.
    static bool UpgradeCompleted(CAppSettings& settings, const CVersionNumber& running);

    // Looks for a newer version than current; false: none is offered.
    bool CheckForUpgrades(const CString& programDir, const CVersionNumber& current);
    bool HaveNewerVersion() const { return m_newer; }

private:
    bool m_newer = false;
};
