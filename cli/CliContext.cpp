#include "cli/CliContext.h"

#include <cstring>

#include "cli/CheckedOutput.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/appcfg/TemplateInstaller.h"
#include "platform/util/AppLogger.h"

CString CCliContext::DataDir() const
{
    return CAppPaths::DataDir();
}

bool CCliContext::PrepareDataDir(CString& error)
{
    if (!CAppPaths::EnsureDataDir()) {
        error = "Cannot create the data directory " + DataDir();
        return false;
    }
    if (CAppLogger* logger = CAppLogger::GetInstance())
        logger->SetLogFile(CAppPaths::LogFile());
    const CString shipped = CTemplateInstaller::FindShippedTemplates();
    if (!shipped.empty() && CTemplateInstaller::CopyMissing(shipped, CAppPaths::TemplatesDir()) < 0)
        Warn("Not every web report template could be copied to " + CAppPaths::TemplatesDir());
    return true;
}

int CCliContext::Fail(const CString& message)
{
    m_err << TOOL_NAME << ": " << message << '\n';
    m_err.flush();
    return EXIT_FAILED;
}

int CCliContext::UsageError(const CString& command, const CString& message)
{
    m_err << TOOL_NAME << ": " << message << " (see '" << TOOL_NAME << ' '
          << (command.empty() ? CString("--help") : command + " --help") << "')\n";
    m_err.flush();
    return EXIT_USAGE;
}

void CCliContext::Warn(const CString& message)
{
    m_err << TOOL_NAME << ": warning: " << message << '\n';
}

int CCliContext::FinishOutput(int status)
{
    m_out.flush();
    if (m_out.good())
        return status;
    const auto* checked = dynamic_cast<const CCheckedOutput*>(m_out.rdbuf());
    const CString reason
        = checked && checked->GetError() != 0 ? CString(std::strerror(checked->GetError())) : CString("write error");
    return Fail("cannot write to standard output (" + reason + "); the output is incomplete.");
}
