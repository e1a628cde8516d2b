#pragma once
// The tool's side of a library session: the name given on the command line
// is found among the libraries ignoring case, and what the session tells is
// written to the error stream, as warnings while the command goes on and
// as errors when it stops.

#include "data/session/LibrarySession.h"
#include "data/session/SessionPrompts.h"

class CCliContext;

class CCliSession {
public:
    explicit CCliSession(CCliContext& context);

    // Opens the library named given; false after writing why not.
    bool Open(const CString& given, CLibrarySession::Access access);
    CLibrarySession& Get() { return m_session; }
    CLibrary& GetLibrary() { return *m_session.GetLibrary(); }

    // Writes what the session told since as warnings.
    void Warn();
    // Writes what the session told since as errors (or message when it told
    // nothing); returns the failure status.
    int Fail(const CString& message = CString());

private:
    CCliContext& m_context;
    CQuietPrompts m_prompts;
    CLibrarySession m_session;
};
