#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/LibraryNames.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/appcfg/FileLock.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/StringUtils.h"

int RunNew(CCliContext& context, const CCliArgs& args)
{
    const CString name = args.Positional().at(0);
    CString error;
    if (!context.PrepareDataDir(error))
        return context.Fail(error);
    const CString dataDir = context.DataDir();
    if (!CLibraryNames::CheckNewName(name, CLibraryNames::List(dataDir), error))
        return context.Fail(error);

    const CString path = dataDir + name + ".vly";
    CFileLock lock;
    const CFileLock::CResult locked = lock.Acquire(path, CCliContext::TOOL_NAME);
    if (locked.outcome == CFileLock::HELD_ELSEWHERE)
        return context.Fail("The library \"" + name + "\" is in use by " + locked.holder + ".");
    if (!locked.Acquired())
        return context.Fail("The library \"" + name + "\" cannot be created (" + locked.error + ").");
    // Another process may have made it since the names were listed.
    if (CFileUtils::DoesFileExist(path))
        return context.Fail(CLibraryNames::EXISTS_MESSAGE);

    const CString templates = dataDir + "Templates/";
    const CString webReports = dataDir + "WebReports/";
    CLibrary library(true, true);
    library.AddDefaultCustomWebReports(templates, webReports);
    library.SetPathImport(dataDir);
    library.SetPathExport(dataDir);
    library.SetPathCustomWebReportOutput(webReports);
    library.SetPathCustomWebReportImage(webReports);
    library.SetPathUserCustomWebReportTemplate(templates);
    library.SetPathCustomFieldDefault(dataDir);
    library.SetName(name);
    library.SetNotes(CStringUtils::Format("This Library was created on %s.",
        CDateTimeUtils::ConvertDateNumbers(COleDateTime::GetCurrentTime(), false, false, false, false).c_str()));
    if (!CLibraryFile::Write(library, path, error))
        return context.Fail(path + ": " + error);
    context.Out() << "Created library \"" << name << "\" (" << path << ")\n";
    return CCliContext::EXIT_OK;
}
