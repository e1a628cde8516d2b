// The program's start with a generated library of 10,000, 100,000 and
// 300,000 items (all media types, with sub-items), beside the start with an
// empty library: the time from starting the process until its window takes
// input ("usable") and until no work is left at idle or in the background
// ("rest"), the CPU time and the peak memory of the process. The program
// runs offscreen and reports through VEMO_START_REPORT_FD (app/StartReport.h);
// each figure is the median of the repetitions after one unmeasured start.
//
//   bench_start [repetitions] [items...]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "data/session/LibrarySession.h"
#include "data/session/SessionPrompts.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/util/DataFolder.h"
#include "support/LibraryGenerator.h"

namespace {

namespace fs = std::filesystem;
using vemobench::Clock;

class CSilentPrompts : public CSessionPrompts {
public:
    void Tell(const CString& title, const CString& text) override
    {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    bool Confirm(const CString&, const CString&) override { return true; }
    int Choose(const CString&, const CString&, const std::vector<CString>&) override { return 0; }
};

void UseFolders(const std::string& root)
{
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    ::setenv("HOME", root.c_str(), 1);
}

// The library and the shared data file as the program writes them, made in
// a child process (the generator fills process-wide lists).
bool Prepare(const std::string& root, int items)
{
    if (fs::exists(root + "/data"))
        return true;
    const pid_t pid = ::fork();
    if (pid == 0) {
        UseFolders(root);
        CSilentPrompts prompts;
        if (!CAppPaths::EnsureDataDir())
            ::_exit(1);
        CLibrarySession session(CAppPaths::DataDir(), CDataFolder::APP_NAME, prompts);
        session.LoadSharedData(CLibrarySession::Access::Change);
        if (!session.Open("Generated", CLibrarySession::Access::Change, true))
            ::_exit(1);
        if (items > 0)
            vemotest::GenerateLibrary(*session.GetLibrary(), { items, 20240601u });
        session.MarkModified();
        const bool saved = session.SaveSharedData() && session.Save(CLibrarySession::SaveKind::Explicit);
        session.Close();
        ::_exit(saved ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct CStart {
    double usableCpu = 0.0; // ms of the window's thread
    double usable = 0.0; // seconds
    double rest = 0.0;
    double cpu = 0.0;
    double peakMB = 0.0;
};

bool RunProgram(const std::string& root, CStart& start)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    // Every start takes an archive copy of the library; earlier ones would
    // make the folder grow from run to run.
    std::error_code ignored;
    fs::remove_all(root + "/data/" + CDataFolder::APP_NAME + "/Archives", ignored);
    const auto begin = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        UseFolders(root);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("VEMO_START_REPORT_FD", "3", 1);
        ::close(fds[0]);
        ::dup2(fds[1], 3);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(VEMO_PROGRAM, VEMO_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string seen;
    char buffer[64];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) {
        seen.append(buffer, static_cast<std::size_t>(n));
        const std::size_t usable = seen.find("usable ");
        if (start.usable == 0.0 && usable != std::string::npos && seen.find('\n', usable) != std::string::npos) {
            start.usable = vemobench::Seconds(begin);
            start.usableCpu = std::atof(seen.c_str() + usable + 7);
        }
        const std::size_t rest = seen.find("rest ");
        if (start.rest == 0.0 && rest != std::string::npos && seen.find('\n', rest) != std::string::npos)
            start.rest = vemobench::Seconds(begin);
    }
    ::close(fds[0]);
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    start.cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    start.peakMB = usage.ru_maxrss / 1024.0;
    return start.rest > 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = { 0, 10000, 100000, 300000 };
    const char* dir = std::getenv("VEMO_BENCH_DIR");
    const std::string base = (dir ? fs::path(dir) : fs::temp_directory_path() / "vemo-bench").string() + "/start";

    std::printf(
        "Program start, offscreen, median of %d (load average %s)\n", repetitions, vemobench::LoadAverage().c_str());
    // The window thread's CPU time to usable is what other work on the
    // machine does not stretch; the process's CPU time includes the
    // worker threads and the exit.
    std::printf("%10s %10s %12s %10s %10s %10s\n", "items", "usable ms", "usable CPU", "rest ms", "CPU ms", "peak MB");
    for (int items : sizes) {
        const std::string root = base + "/" + std::to_string(items);
        if (!Prepare(root, items)) {
            std::fprintf(stderr, "cannot make the library of %d items in %s\n", items, root.c_str());
            return 1;
        }
        CStart first;
        RunProgram(root, first); // settings and templates of a first start
        std::vector<double> usable, usableCpu, rest, cpu, peak;
        for (int r = 0; r < repetitions; ++r) {
            CStart start;
            if (!RunProgram(root, start)) {
                std::fprintf(stderr, "the program did not come to rest with %d items\n", items);
                return 1;
            }
            usable.push_back(start.usable * 1000.0);
            usableCpu.push_back(start.usableCpu);
            rest.push_back(start.rest * 1000.0);
            cpu.push_back(start.cpu * 1000.0);
            peak.push_back(start.peakMB);
        }
        std::printf("%10d %10.0f %12.0f %10.0f %10.0f %10.1f\n", items, vemobench::Median(usable),
            vemobench::Median(usableCpu), vemobench::Median(rest), vemobench::Median(cpu), vemobench::Median(peak));
        std::fflush(stdout);
    }
    std::printf("(load average after: %s)\n", vemobench::LoadAverage().c_str());
    return 0;
}
