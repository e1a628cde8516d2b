#include "cli/CliSession.h"

#include "cli/CliContext.h"
#include "data/session/LibraryNames.h"

CCliSession::CCliSession(CCliContext& context)
    : m_context(context)
    , m_session(context.DataDir(), CCliContext::TOOL_NAME, m_prompts)
{
}

bool CCliSession::Open(const CString& given, CLibrarySession::Access access)
{
    const CString listed = CLibraryNames::FindNoCase(m_session.ListLibraries(), given);
    if (!m_session.Open(listed.empty() ? given : listed, access)) {
        Fail("The library \"" + given + "\" cannot be opened.");
        return false;
    }
    Warn();
    return true;
}

void CCliSession::Warn()
{
    for (const CString& text : m_prompts.Told())
        m_context.Warn(text);
    m_prompts.TakeTold();
}

int CCliSession::Fail(const CString& message)
{
    if (m_prompts.Told().empty())
        return m_context.Fail(message);
    for (const CString& text : m_prompts.Told())
        m_context.Fail(text);
    m_prompts.TakeTold();
    return CCliContext::EXIT_FAILED;
}
