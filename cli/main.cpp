// vemolibrary-cli: the libraries of VemoLibrary without a window.
#include <iostream>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Commands.h"

int main(int argc, char** argv)
{
    std::vector<CString> args(argv + 1, argv + argc);
    CCliContext context(std::cout, std::cerr);
    return CCommands::Main(args, context);
}
