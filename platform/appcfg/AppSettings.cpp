#include "platform/appcfg/AppSettings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <filesystem>

#include "platform/appcfg/AppPaths.h"
#include "platform/util/AppLogger.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"

namespace {

CString DocsPathFor(const CString& programDir, const CString& appName)
{
    if (programDir.empty())
        return "";
    CString lower = appName;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    // Installed as <prefix>/bin/program and <prefix>/share/doc/<name>/.
    std::filesystem::path docs = std::filesystem::path(programDir) / ".." / "share" / "doc" / lower;
    return CDirUtils::WithTrailingSeparator(docs.lexically_normal().string());
}

bool HasUsableSize(const CRect& rect)
{
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    return width > 0 && height > 0 && width <= INT_MAX && height <= INT_MAX;
}

} // namespace

CAppSettings::CAppSettings(const CString& programDir, const CString& appName)
    : m_programDir(CDirUtils::WithTrailingSeparator(programDir))
    , m_appName(appName)
    , m_appPath(CAppPaths::DataDir())
    , m_docsPath(DocsPathFor(programDir, appName))
    , m_settingsFile(CAppPaths::ConfigDir() + appName + ".settings")
{
}

bool CAppSettings::Read(bool& firstRun)
{
    m_lastError.clear();
    // What a save killed mid-write left beside the record goes at the next read.
    CFileUtils::RemoveStaleTempFiles(m_settingsFile);
    std::string bytes;
    if (!CFileUtils::DoesFileExist(m_settingsFile)) {
        firstRun = true;
        return true;
    }
    if (!CFileUtils::ReadFileBytes(m_settingsFile, bytes, &m_lastError)) {
        firstRun = false;
        return false;
    }
    // An empty file is what a store that never got its first record leaves.
    firstRun = bytes.empty();
    if (bytes.empty())
        return true;

    CArchive before;
    Serialize(before);
    try {
        CArchive ar(bytes);
        // Bytes after the record are a newer version's additions: ignored,
        // so that they do not cost the user every setting.
        Serialize(ar);
        return true;
    } catch (const CArchiveException& e) {
        m_lastError = CString("The settings could not be read: ") + e.what();
    }
    try {
        CArchive restore(before.GetBuffer());
        Serialize(restore);
    } catch (const CArchiveException&) {
        // Our own record of a moment ago: only a derived Serialize that does
        // not read back what it wrote gets here.
        VemoLog("{D5625486-EFAB-4E43-B199-F249B82D086F}");
    }
    KeepUnreadableCopy(bytes);
    return false;
}

void CAppSettings::KeepUnreadableCopy(const std::string& bytes)
{
    if (!CFileUtils::WriteOwnerOnlyFileAtomic(m_settingsFile + ".unreadable", bytes))
        VemoLog("{A0EE0AFA-7A33-410E-AF97-F6C5323EE337}");
}

bool CAppSettings::Save()
{
    m_lastError.clear();
    CArchive ar;
    try {
        Serialize(ar);
    } catch (const CArchiveException& e) {
        m_lastError = CString("The settings could not be written: ") + e.what();
        return false;
    }
    CString dir = CFileUtils::ParseDirFromPath(m_settingsFile);
    if (!dir.empty() && !CDirUtils::CreateDir(dir)) {
        m_lastError = "The settings folder " + dir + " could not be created.";
        return false;
    }
    return CFileUtils::WriteOwnerOnlyFileAtomic(m_settingsFile, ar.GetBuffer(), &m_lastError);
}

void CAppSettings::Serialize(CArchive& ar)
{
    WORD version = ar.SerializeVersion(SETTINGS_VERSION);
    if (ar.IsLoading() && (version == 0 || version > SETTINGS_VERSION))
        throw CArchiveException(
            CArchiveException::badFormat, "settings record version " + std::to_string(version) + " is not known");

    SerializeRect(ar, m_appRect);
    ar.Serialize(m_minimised);
    ar.Serialize(m_maximised);
    ar.Serialize(m_balloonCloseButton);
    if (ar.IsStoring())
        ar.WriteUInt(m_balloonWpmSpeed);
    else
        SetBalloonWPMSpeed(ar.ReadUInt());
    SerializeRect(ar, m_printMargins);
    ar.Serialize(m_lastRun);
    SerializeVersion(ar, m_version);
    SerializeVersion(ar, m_upgradeVersion);
    ar.Serialize(m_automaticUpgrading);

    // A window of no size could never be seen again, and one whose size
    // does not fit an int would overflow whoever measures it.
    if (ar.IsLoading() && !HasUsableSize(m_appRect)) {
        const int left = m_appRect.left <= INT_MAX - DEFAULT_WIDTH ? m_appRect.left : 0;
        const int top = m_appRect.top <= INT_MAX - DEFAULT_HEIGHT ? m_appRect.top : 0;
        m_appRect = CRect(left, top, left + DEFAULT_WIDTH, top + DEFAULT_HEIGHT);
    }
}

void CAppSettings::SerializeRect(CArchive& ar, CRect& rect)
{
    ar.Serialize(rect.left);
    ar.Serialize(rect.top);
    ar.Serialize(rect.right);
    ar.Serialize(rect.bottom);
}

void CAppSettings::SerializeVersion(CArchive& ar, CVersionNumber& version)
{
    std::int32_t first = version.GetMajor();
    std::int32_t second = version.GetMinor();
    std::int32_t third = version.GetBuild();
    ar.Serialize(first);
    ar.Serialize(second);
    ar.Serialize(third);
    if (ar.IsLoading())
        version = CVersionNumber(first, second, third);
}

void CAppSettings::GetAppShape(CRect& rect, bool& minimised, bool& maximised) const
{
    rect = m_appRect;
    minimised = m_minimised;
    maximised = m_maximised;
}

void CAppSettings::SetAppShape(const CRect& rect, bool minimised, bool maximised)
{
    m_appRect = rect;
    m_minimised = minimised;
    m_maximised = maximised;
}

void CAppSettings::SetBalloonWPMSpeed(UINT wordsPerMinute)
{
    m_balloonWpmSpeed = wordsPerMinute == 0 ? DEFAULT_WPM_SPEED : wordsPerMinute;
}

void CAppSettings::SetUpgradeVersionNumber(int first, int second, int third)
{
    m_upgradeVersion = CVersionNumber(first, second, third);
}

void CAppSettings::UpgradeDone()
{
    if (m_upgradeVersion > m_version)
        m_version = m_upgradeVersion;
    m_upgradeVersion = CVersionNumber();
}
