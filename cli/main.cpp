// vemolibrary-cli: the libraries of VemoLibrary without a window.
#include <cstdio>
#include <cstring>

namespace {

const char* kUsage =
    "Usage: vemolibrary-cli [--data-dir DIR] COMMAND [ARGS]\n"
    "\n"
    "A command-line face of VemoLibrary, for collectors who script.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("vemolibrary-cli %s\n", VEMO_VERSION);
        return 0;
    }
    std::fprintf(stderr, "vemolibrary-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
