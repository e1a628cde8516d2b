// vemolibrary-cli: the libraries of VemoLibrary without a window.
#include <cstdlib>
#include <iostream>
#include <unistd.h>
#include <vector>

#include "cli/CheckedOutput.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

int main(int argc, char** argv)
{
    std::vector<CString> args(argv + 1, argv + argc);
    CCheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    CCliContext context(out, std::cerr);
#if !defined(__SANITIZE_ADDRESS__)
    // The leak checker would count what is left as lost.
    context.SetLeaveAtExit(true);
#endif
    const int status = CCommands::Main(args, context);
    if (context.LeftAtExit()) {
        // Main has flushed the output and reported a failed write.
        out.flush();
        std::cerr.flush();
        std::_Exit(status);
    }
    return status;
}
