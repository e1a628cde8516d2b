// vemocli-docgen: writes the tool's manual page or bash completion at
// build time.
#include <fstream>
#include <iostream>

#include "cli/doc/CliDocs.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: vemocli-docgen man|bash-completion FILE\n";
        return 2;
    }
    const std::string kind = argv[1];
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (kind == "man")
        CCliDocs::WriteManPage(out, VEMO_VERSION);
    else if (kind == "bash-completion")
        CCliDocs::WriteBashCompletion(out);
    else {
        std::cerr << "vemocli-docgen: unknown kind " << kind << '\n';
        return 2;
    }
    out.close();
    if (!out) {
        std::cerr << "vemocli-docgen: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
