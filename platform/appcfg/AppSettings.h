#pragma once
// The general settings of the program for one user, kept as one binary
// record in CAppPaths::SettingsFile(). A program derives from it, calls
// CAppSettings::Serialize first in its own Serialize and then writes its
// fields. Byte layout of the base record: docs/settings-format.md.

#include "platform/appcfg/Rect.h"
#include "platform/appcfg/VersionNumber.h"
#include "platform/util/Archive.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CAppSettings {
public:
    static constexpr WORD SETTINGS_VERSION = 1;
    static constexpr int DEFAULT_WIDTH = 737;
    static constexpr int DEFAULT_HEIGHT = 583;
    static constexpr UINT DEFAULT_WPM_SPEED = 200;
    // Print margins are in thousandths of an inch.
    static constexpr int DEFAULT_MARGIN = 500;

    // programDir is the folder of the program file; the documentation is
    // looked for under it (../share/doc/<name in lower case>/).
    CAppSettings(const CString& programDir, const CString& appName);
    virtual ~CAppSettings() = default;

    // Reads the stored record. firstRun becomes true when nothing was stored
    // (and the defaults stay). A damaged or too new record returns false,
    // keeps every field as it was before the call and copies the unreadable
    // file to <settings file>.unreadable so that the next Save cannot
    // destroy the only copy. Bytes after the record are ignored.
    bool Read(bool& firstRun);
    // Writes the record atomically; false (and GetLastError) on failure.
    bool Save();
    virtual void Serialize(CArchive& ar);

    const CString& GetLastError() const { return m_lastError; }
    const CString& GetSettingsFile() const { return m_settingsFile; }
    void SetSettingsFile(const CString& path) { m_settingsFile = path; }

    // The data directory, ending in "/".
    const CString& GetApplicationPath() const { return m_appPath; }
    const CString& GetApplicationDocsPath() const { return m_docsPath; }
    const CString& GetApplicationName() const { return m_appName; }
    const CString& GetProgramDir() const { return m_programDir; }

    void GetAppShape(CRect& rect, bool& minimised, bool& maximised) const;
    void SetAppShape(const CRect& rect, bool minimised, bool maximised);

    bool GetBalloonShowCloseButton() const { return m_balloonCloseButton; }
    void SetBalloonShowCloseButton(bool show) { m_balloonCloseButton = show; }
    UINT GetBalloonWPMSpeed() const { return m_balloonWpmSpeed; }
    // A speed of 0 would keep balloons up forever (and divide by zero), so
    // it stands for the default.
    void SetBalloonWPMSpeed(UINT wordsPerMinute);

    const CRect& GetPrintMargins() const { return m_printMargins; }
    void SetPrintMargins(const CRect& margins) { m_printMargins = margins; }

    const COleDateTime& GetLastRun() const { return m_lastRun; }
    void SetLastRun(const COleDateTime& when) { m_lastRun = when; }

    const CVersionNumber& GetVersionNumber() const { return m_version; }
    void SetVersionNumber(int first, int second, int third) { m_version = CVersionNumber(first, second, third); }
    void SetVersionNumber(const CVersionNumber& version) { m_version = version; }
    // The version an upgrade under way brings (0.0.0 when none).
    const CVersionNumber& GetUpgradeVersionNumber() const { return m_upgradeVersion; }
    void SetUpgradeVersionNumber(int first, int second, int third);
    // An upgrade finished: the version number becomes the upgrade version
    // number when that is greater, and the upgrade version is cleared.
    void UpgradeDone();

    bool GetAutomaticUpgrading() const { return m_automaticUpgrading; }
    void SetAutomaticUpgrading(bool automatic) { m_automaticUpgrading = automatic; }

private:
    void SerializeRect(CArchive& ar, CRect& rect);
    void SerializeVersion(CArchive& ar, CVersionNumber& version);
    void KeepUnreadableCopy(const std::string& bytes);

    CString m_programDir;
    CString m_appName;
    CString m_appPath;
    CString m_docsPath;
    CString m_settingsFile;
    CString m_lastError;

    CRect m_appRect { 0, 0, DEFAULT_WIDTH, DEFAULT_HEIGHT };
    bool m_minimised = false;
    bool m_maximised = false;
    bool m_balloonCloseButton = true;
    UINT m_balloonWpmSpeed = DEFAULT_WPM_SPEED;
    CRect m_printMargins { DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN };
    COleDateTime m_lastRun = COleDateTime::Null();
    CVersionNumber m_version;
    CVersionNumber m_upgradeVersion;
    bool m_automaticUpgrading = false;
};
