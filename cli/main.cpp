// vemolibrary-cli: the libraries of VemoLibrary without a window.
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
    return CCommands::Main(args, context);
}
