#include <QDir>
#include <QFileInfo>

#include "app/MessageBox.h"
#include "data/session/VemoLibrarySettings.h"
#include "app/dialogs/LibraryNameCheck.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/store/Library.h"
#include "platform/util/AppLogger.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const kTitle = "Open Library";
const char* const kNoFile = "VemoLibrary cannot open \"%1\": there is no such file.";
const char* const kNotLibrary = "\"%1\" is not a VemoLibrary Library file (*.vly).";
const char* const kBadName = "VemoLibrary cannot take \"%1\" in as a Library, because of its file name:\n\n%2";
const char* const kTooMany
    = "VemoLibrary cannot take \"%1\" in: you have as many Libraries as it can support. Please delete one first.";
const char* const kCopyIn = "\"%1\" is not in VemoLibrary's data folder. Copy it there as the Library \"%2\" "
                            "and open it?";
const char* const kReplace = "A Library named \"%1\" exists already. Replace it with the copy of \"%2\"?\n\nThe "
                             "Library that is replaced is kept as an archive copy (Library, Restore...).";
const char* const kArchiveFailed
    = "VemoLibrary was unable to keep an archive copy of the Library \"%1\", so it was not replaced.";
const char* const kCopyFailed = "VemoLibrary was unable to copy \"%1\" into its data folder: %2\n\nNo Library "
                                "was added or changed.";

QString Q(const CString& text)
{
    return QString::fromStdString(text);
}

} // namespace

bool CVemoLibraryDoc::OpenLibraryFile(const QString& path)
{
    if (!m_settings)
        return false;
    const QFileInfo file(path);
    if (!file.isFile()) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kNoFile).arg(path));
        return false;
    }
    const QString ext = "." + Q(CVemoLibrarySettings::LIBRARY_EXT);
    if (!file.fileName().endsWith(ext, Qt::CaseInsensitive) || file.fileName().size() == ext.size()) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kNotLibrary).arg(path));
        return false;
    }
    const CString name = file.fileName().chopped(ext.size()).toStdString();
    m_settings->RefreshLibraryList();

    // A library of the data folder opens as from the Library menu.
    const bool inDataFolder = file.absoluteDir().canonicalPath() == QDir(Q(DataDir())).canonicalPath()
        && file.fileName().endsWith(ext) && m_settings->HasLibrary(name);
    if (inDataFolder) {
        if (!m_library || m_library->GetName() != name) {
            OpenLibrary(name, false);
            ShowLoadedLibrary();
        }
        return m_library && !m_loadFailed;
    }

    const QString problem = CLibraryNameCheck::Check(name, {}, CLibraryNameCheck::Rename);
    if (!problem.isEmpty()) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kBadName).arg(path, problem));
        return false;
    }
    CString target = name;
    bool replaces = false;
    for (const CString& existing : m_settings->GetLibraries())
        if (CStringUtils::EqualsNoCase(existing, name)) {
            // The library keeps the spelling of its name.
            target = existing;
            replaces = true;
        }
    if (!replaces && m_settings->GetLibraryCount() >= CVemoLibrarySettings::MAX_LIBRARIES) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kTooMany).arg(path));
        return false;
    }
    if (!CMessageBox::Confirm(m_dialogParent, kTitle, QString(kCopyIn).arg(path, Q(target))))
        return false;
    if (replaces && !CMessageBox::Confirm(m_dialogParent, kTitle, QString(kReplace).arg(Q(target), path)))
        return false;

    const CString dataFile = target + "." + CVemoLibrarySettings::LIBRARY_EXT;
    const CString wasLoaded = GetLibraryName();
    const auto reopenPrevious = [this, &wasLoaded] {
        if (!m_library && !wasLoaded.empty()) {
            OpenLibrary(wasLoaded, false);
            ShowLoadedLibrary();
        }
    };
    if (replaces) {
        // Nothing of the library that goes may be lost: its latest state is
        // written and archived before the copy takes its place.
        if (m_library && m_library->GetName() == target)
            CloseLibrary();
        if (!m_fileMgmt.BackupDataFile(dataFile)) {
            VemoLog("{5E0C2A71-9B3D-4F68-A1C4-8D27E6F0B593}");
            CMessageBox::Warn(m_dialogParent, kTitle, QString(kArchiveFailed).arg(Q(target)));
            reopenPrevious();
            return false;
        }
    }
    CString error;
    if (!CFileUtils::CopyFile(path.toStdString(), m_settings->LibraryPath(target), false, &error)) {
        VemoLog("{C3B81F06-2D7E-4A95-8E1B-60F4D9A2C7E8}");
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kCopyFailed).arg(path, Q(error)));
        reopenPrevious();
        return false;
    }
    m_settings->RefreshLibraryList();
    OpenLibrary(target, false);
    ShowLoadedLibrary();
    return m_library && !m_loadFailed;
}
