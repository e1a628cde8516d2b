#include "cli/LibrarySession.h"

#include "cli/CliContext.h"
#include "cli/LibraryNames.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/LibrarySnapshot.h"
#include "data/store/SharedData.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/Archive.h"
#include "platform/util/FileUtils.h"

CLibrarySession::CLibrarySession(const CString& dataDir, const CString& name)
    : m_dataDir(dataDir)
    , m_name(name)
{
    const CString listed = CLibraryNames::Resolve(dataDir, name);
    if (!listed.empty())
        m_name = listed;
    m_path = m_dataDir + m_name + ".vly";
}

CLibrarySession::~CLibrarySession() = default;

CString CLibrarySession::SharedDataPath() const
{
    return m_dataDir + CSharedData::FILE_NAME;
}

bool CLibrarySession::ReadSharedData(CString& error)
{
    const CString path = SharedDataPath();
    if (!CFileUtils::DoesFileExist(path) || CFileUtils::IsFileEmpty(path))
        return true;
    std::string bytes;
    if (!CFileUtils::ReadFileBytes(path, bytes, &error))
        return false;
    try {
        CArchive in { std::string_view(bytes) };
        CSharedData::Serialize(in);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return true;
}

bool CLibrarySession::Open(bool forChange, CString& error, CString& warning)
{
    m_forChange = forChange;
    if (!CFileUtils::DoesFileExist(m_path)) {
        error = "There is no library named \"" + m_name + "\" in " + m_dataDir;
        return false;
    }
    if (forChange) {
        const CFileLock::CResult lock = m_lock.Acquire(m_path, CCliContext::TOOL_NAME);
        if (lock.outcome == CFileLock::HELD_ELSEWHERE) {
            error = "The library \"" + m_name + "\" is in use by " + lock.holder + "; close it there and try again.";
            return false;
        }
        if (!lock.Acquired()) {
            error = "The library \"" + m_name + "\" cannot be locked for the change (" + lock.error
                + "); nothing was changed.";
            return false;
        }
    }

    CString sharedError;
    if (!ReadSharedData(sharedError)) {
        const CString text = "The shared data file " + SharedDataPath() + " cannot be read (" + sharedError + ")";
        if (forChange) {
            error = text + "; nothing was changed.";
            return false;
        }
        warning = text + "; publishers and magazine titles are missing.";
    }
    m_sharedAtOpen = CLibrarySnapshot::SharedBytes();

    m_library = std::make_unique<CLibrary>(false, true);
    const CString webReports = m_dataDir + "WebReports/";
    const CString templates = m_dataDir + "Templates/";
    m_library->SetPathImport(m_dataDir);
    m_library->SetPathExport(m_dataDir);
    m_library->SetPathCustomWebReportOutput(webReports);
    m_library->SetPathCustomWebReportImage(webReports);
    m_library->SetPathUserCustomWebReportTemplate(templates);
    m_library->SetPathCustomFieldDefault(m_dataDir);
    m_library->SetName(m_name);

    if (!CFileUtils::IsFileEmpty(m_path)) {
        bool converted = false;
        bool read = false;
        if (forChange) {
            // As the program does, a file of the earlier format is converted
            // (its wish list written beside it) and saved in the current one.
            read = CLibraryFile::Read(*m_library, m_path, converted, error);
        } else {
            // Reading only: the earlier format is converted in memory and
            // nothing is written.
            std::string bytes;
            read = CFileUtils::ReadFileBytes(m_path, bytes, &error)
                && CLibraryFile::ReadBytes(*m_library, bytes, converted, error);
        }
        if (!read) {
            error = m_path + ": " + error;
            return false;
        }
        if (converted && m_library->GetCustomWebReportCount() == 0)
            m_library->AddDefaultCustomWebReports(templates, webReports);
    }
    if (m_library->GetPathCustomWebReportOutput().empty())
        m_library->SetPathCustomWebReportOutput(webReports);
    if (m_library->GetPathUserCustomWebReportTemplate().empty())
        m_library->SetPathUserCustomWebReportTemplate(templates);
    return true;
}

bool CLibrarySession::SharedDataChanged() const
{
    return CLibrarySnapshot::SharedBytes() != m_sharedAtOpen;
}

bool CLibrarySession::FindOtherHolder(CString& holder) const
{
    for (const CString& name : CLibraryNames::List(m_dataDir)) {
        const CString path = m_dataDir + name + ".vly";
        if (path != m_path && CFileLock::IsLocked(path, holder))
            return true;
    }
    return false;
}

bool CLibrarySession::Save(CString& error)
{
    if (!m_library || !m_forChange || !m_lock.IsHeld()) {
        error = "The library was not opened for a change.";
        return false;
    }
    const bool sharedChanged = SharedDataChanged();
    CString holder;
    if (sharedChanged && FindOtherHolder(holder)) {
        error = "The change adds publishers or magazine titles to the shared data file, which " + holder
            + " keeps open; close it and try again. Nothing was saved.";
        return false;
    }

    CDataFileMgmt archives(m_dataDir, ARCHIVE_COUNT);
    const CString libraryFile = m_name + ".vly";
    if (sharedChanged && !CFileUtils::IsFileEmpty(SharedDataPath())
        && !archives.BackupDataFile(CSharedData::FILE_NAME)) {
        error = "No archive copy of the shared data file could be made. Nothing was saved.";
        return false;
    }
    if (!CFileUtils::IsFileEmpty(m_path) && !archives.BackupDataFile(libraryFile)) {
        error = "No archive copy of " + m_path + " could be made. Nothing was saved.";
        return false;
    }

    // The shared lists first: the library refers to their new records.
    if (sharedChanged) {
        try {
            CArchive out;
            CSharedData::Serialize(out);
            out.WriteToFile(SharedDataPath());
        } catch (const std::exception& e) {
            error = CString("The shared data file could not be saved (") + e.what() + "). Nothing was saved.";
            return false;
        }
        m_sharedAtOpen = CLibrarySnapshot::SharedBytes();
    }
    if (CFileUtils::DoesFileExist(m_path) && !CFileUtils::IsFileWritable(m_path))
        CFileUtils::MakeFileWritable(m_path);
    if (!CLibraryFile::Write(*m_library, m_path, error)) {
        error = m_path + ": " + error;
        return false;
    }
    return true;
}
