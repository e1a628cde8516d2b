#pragma once
// Finding programs through $PATH and starting them without a shell.

#include "platform/util/VemoTypes.h"

class CProgramLauncher {
public:
    // An absolute path to an executable file: name itself when it is
    // absolute, else the first match in the folders of $PATH; "" when there
    // is none (a relative name with a folder part is not looked up).
    static CString FindProgram(const CString& name);

    // Starts the first of the commands (each a full argument list, the
    // first element an absolute program path) that can be executed, in a
    // new session detached from this process: its own process group, no
    // terminal, output discarded, never left as a zombie. No shell takes
    // part, so arguments reach the program unchanged. Returns false with a
    // reason in error when none could be started.
    static bool StartDetached(const CArray<CStringArray>& commands, CString& error);
};
