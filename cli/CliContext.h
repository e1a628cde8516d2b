#pragma once
// What every subcommand gets: where to write, the data directory, and the
// way errors are reported (one line on the error stream, prefixed with the
// tool's name).

#include <memory>
#include <ostream>

#include "platform/util/VemoTypes.h"

class CCliContext {
public:
    static constexpr int EXIT_OK = 0;
    static constexpr int EXIT_FAILED = 1;
    static constexpr int EXIT_USAGE = 2;
    static inline const CString TOOL_NAME = "vemolibrary-cli";

    CCliContext(std::ostream& out, std::ostream& err)
        : m_out(out)
        , m_err(err)
    {
    }

    std::ostream& Out() { return m_out; }
    std::ostream& Err() { return m_err; }

    // The data directory (ends in "/"): --data-dir or the XDG folder.
    CString DataDir() const;
    // Creates the data directory and its folders, and copies the shipped web
    // report templates that Templates/ lacks; false (error set) when the
    // folders cannot be made.
    bool PrepareDataDir(CString& error);

    // Writes "vemolibrary-cli: message" to the error stream; returns the
    // failure status.
    int Fail(const CString& message);
    // The same for a wrong command line, with a hint to the help.
    int UsageError(const CString& command, const CString& message);
    void Warn(const CString& message);
    // Flushes the output stream: status when all of it was written, else
    // the failure status with a message that the output is incomplete.
    int FinishOutput(int status);

    // Done with object. Freeing a loaded library object by object takes
    // longer than reading it; where the process ends right after the
    // command (the tool's main, SetLeaveAtExit), it is left for the end of
    // the process instead. Elsewhere (tests, sanitizer builds) it is freed
    // here.
    template <class T> void Done(std::unique_ptr<T> object)
    {
        if (m_leaveAtExit && object) {
            (void)object.release();
            m_leftAtExit = true;
        }
    }
    void SetLeaveAtExit(bool leave) { m_leaveAtExit = leave; }
    // True when Done left something: the process must end without
    // destroying what is left (std::_Exit after the output is flushed).
    bool LeftAtExit() const { return m_leftAtExit; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_leaveAtExit = false;
    bool m_leftAtExit = false;
};
