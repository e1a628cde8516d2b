#include <QDir>
#include <QFileInfo>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/session/LibraryNames.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "platform/util/AppLogger.h"
#include "platform/util/DataFolder.h"
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
const char* const kInUse
    = "The Library \"%1\" is open in another program, so it was not replaced. Close it there first.";
const char* const kArchiveFailed
    = "VemoLibrary was unable to keep an archive copy of the Library \"%1\", so it was not replaced.";
const char* const kCopyFailed = "VemoLibrary was unable to copy \"%1\" into its data folder: %2\n\nNo Library "
                                "was added or changed.";

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
    const QString ext = "." + Q(CDataFolder::LIBRARY_EXT);
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
        if (GetLibraryName() != name) {
            if (!OpenLibrary(name, false))
                return false;
            ShowLoadedLibrary();
        }
        return GetLibrary() && !LoadFailed();
    }

    const CString problem = CLibraryNames::CheckName(name);
    if (!problem.empty()) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kBadName).arg(path, Q(problem)));
        return false;
    }
    const CStringArray libraries = m_settings->GetLibraries();
    const CString existing = CLibraryNames::FindNoCase(libraries, name);
    // The library replaced keeps the spelling of its name.
    const bool replaces = !existing.empty();
    const CString target = replaces ? existing : name;
    if (!replaces && static_cast<int>(libraries.GetSize()) >= CLibraryNames::MAX_LIBRARIES) {
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kTooMany).arg(path));
        return false;
    }
    if (!CMessageBox::Confirm(m_dialogParent, kTitle, QString(kCopyIn).arg(path, Q(target))))
        return false;
    if (replaces && !CMessageBox::Confirm(m_dialogParent, kTitle, QString(kReplace).arg(Q(target), path)))
        return false;

    const CString wasLoaded = GetLibraryName();
    const auto reopenPrevious = [this, &wasLoaded] {
        if (wasLoaded.empty() || wasLoaded == GetLibraryName())
            return;
        if (GetLibrary())
            CloseLibrary();
        if (OpenLibrary(wasLoaded, false))
            ShowLoadedLibrary();
    };
    if (replaces) {
        // The library that goes is opened first: that takes its lock, so a
        // library another program has open is not replaced under it, and
        // writes its latest state, which is archived before the copy takes
        // its place.
        if (GetLibraryName() != target && !OpenLibrary(target, false)) {
            reopenPrevious();
            return false;
        }
        if (!HoldsLock()) {
            CMessageBox::Warn(m_dialogParent, kTitle, QString(kInUse).arg(Q(target)));
            reopenPrevious();
            return false;
        }
        if (IsModified() && !SaveLibrary()) {
            reopenPrevious();
            return false;
        }
        if (!GetDataFileMgmt().BackupDataFile(CDataFolder::LibraryFileName(target))) {
            VemoLog("{5E0C2A71-9B3D-4F68-A1C4-8D27E6F0B593}");
            CMessageBox::Warn(m_dialogParent, kTitle, QString(kArchiveFailed).arg(Q(target)));
            reopenPrevious();
            return false;
        }
    }
    CString error;
    const bool copied = CFileUtils::CopyFile(path.toStdString(), m_settings->LibraryPath(target), false, &error);
    if (replaces)
        DiscardLibrary(); // what was read of the old file must not be saved over the copy
    if (!copied) {
        VemoLog("{C3B81F06-2D7E-4A95-8E1B-60F4D9A2C7E8}");
        CMessageBox::Warn(m_dialogParent, kTitle, QString(kCopyFailed).arg(path, Q(error)));
        reopenPrevious();
        return false;
    }
    m_settings->RefreshLibraryList();
    if (!OpenLibrary(target, false))
        return false;
    ShowLoadedLibrary();
    return GetLibrary() && !LoadFailed();
}
