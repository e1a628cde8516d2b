// The data core against its physical limits, each beside its yardstick in
// the same run, on generated libraries of 10,000, 100,000 and 300,000 items:
//
//   BM_Load        load in this process / the fastest of five warm buffered
//                  reads of the bytes
//   BM_PeakMemory  peak resident memory of a fresh process that only loads
//                  the library (VmHWM before and after), per item; also the
//                  load time in that process / the warm read (BM_Load's
//                  later iterations reuse the memory the first one freed)
//   BM_LoadFloor   the least any load into objects does, against the same
//                  warm read: the file read in the load's 1 MB windows and
//                  the loaded library's memory (as BM_PeakMemory measures
//                  it) written once, in order, into memory mapped
//                  beforehand; what is left between it and BM_Load is the
//                  parsing and the making of the objects
//   BM_Check       the tool's whole `check` / `cat` of the file plus the
//                  tool's start (`--version`)
//   BM_Dump        the tool's whole `dump` to /dev/null, text megabytes per
//                  second
//
// The tool runs as a child process (wall time of the child, its CPU time in
// cpu_ms). Ratios are per iteration; --benchmark_repetitions=5 gives medians.
// The machine's load average is in the header: measure on a quiet machine.
//
//   bench_limits [--benchmark_filter=...] [--benchmark_repetitions=5]

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "support/LibraryGenerator.h"

extern char** environ;

namespace {

using vemobench::Clock;
using vemobench::RawRead;
using vemobench::Seconds;

std::string g_dir;
std::string g_self;

std::string LibraryName(int items)
{
    return "limits-" + std::to_string(items);
}

// Inside the data folder, so that the tool finds it by name.
std::string PathFor(int items)
{
    return g_dir + "/data/VemoLibrary/" + LibraryName(items) + ".vly";
}

std::string Tool()
{
    return std::filesystem::path(g_self).parent_path() / "vemolibrary-cli";
}

struct CRun {
    double wall = 0.0;
    double cpu = 0.0;
    long maxRssKB = 0;
    int status = -1;
};

// Runs argv with standard output to outPath; wall and CPU time of the child.
CRun Spawn(const std::vector<std::string>& args, const char* outPath = "/dev/null")
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    CRun run;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage usage { };
        ::wait4(pid, &status, 0, &usage);
        run.wall = Seconds(start);
        run.cpu
            = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        run.maxRssKB = usage.ru_maxrss;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void Prepare(int items)
{
    if (std::filesystem::exists(PathFor(items)))
        return;
    std::filesystem::create_directories(std::filesystem::path(PathFor(items)).parent_path());
    const pid_t pid = ::fork();
    if (pid == 0) {
        CLibrary library(true, true);
        vemotest::GenerateLibrary(library, { items, 20240601u });
        CString error;
        ::_exit(CLibraryFile::Write(library, PathFor(items), error) ? 0 : 1);
    }
    ::waitpid(pid, nullptr, 0);
}

void BM_Load(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Prepare(items);
    std::string bytes;
    const double read = vemobench::BestRead(PathFor(items), bytes);
    double load = 0.0;
    for (auto _ : state) {
        auto library = std::make_unique<CLibrary>(true, false);
        CString error;
        const double seconds = vemobench::LoadSeconds(*library, PathFor(items), error);
        if (seconds < 0)
            state.SkipWithError(error.c_str());
        load += seconds;
        state.SetIterationTime(seconds);
        library.reset();
    }
    state.counters["read_ms"] = read * 1000.0;
    state.counters["x_read"] = load / state.iterations() / read;
}

// What a fresh process (this program again) that only loads the library
// reports: its peak resident memory before and after, and the load time.
struct CLoadPeak {
    long beforeKB = 0;
    long afterKB = 0;
    double loadMs = 0.0;
    double wall = 0.0;
    bool ok = false;
};

CLoadPeak MeasureLoadPeak(int items)
{
    const std::string out = g_dir + "/peak.txt";
    CLoadPeak peak;
    const CRun run = Spawn({ g_self, "--vemo-load-peak", PathFor(items) }, out.c_str());
    peak.wall = run.wall;
    FILE* f = std::fopen(out.c_str(), "r");
    peak.ok = run.status == 0 && f && std::fscanf(f, "%ld %ld %lf", &peak.beforeKB, &peak.afterKB, &peak.loadMs) == 3;
    if (f)
        std::fclose(f);
    return peak;
}

void BM_PeakMemory(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Prepare(items);
    std::string bytes;
    const double read = vemobench::BestRead(PathFor(items), bytes);
    CLoadPeak peak;
    for (auto _ : state) {
        peak = MeasureLoadPeak(items);
        state.SetIterationTime(peak.wall);
        if (!peak.ok)
            state.SkipWithError("the loading process failed");
    }
    state.counters["peak_MB"] = peak.afterKB / 1024.0;
    state.counters["B_per_item"] = (peak.afterKB - peak.beforeKB) * 1024.0 / items;
    state.counters["load_ms"] = peak.loadMs;
    state.counters["x_read"] = read > 0 ? peak.loadMs / 1000.0 / read : 0.0;
}

void BM_LoadFloor(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Prepare(items);
    std::string bytes;
    const double read = vemobench::BestRead(PathFor(items), bytes);
    const CLoadPeak peak = MeasureLoadPeak(items);
    const std::size_t loaded = peak.ok && peak.afterKB > peak.beforeKB ? std::size_t(peak.afterKB - peak.beforeKB) * 1024 : 0;
    const double perFileByte = static_cast<double>(loaded) / static_cast<double>(bytes.size());
    void* memory = loaded ? ::mmap(nullptr, loaded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0)
                          : MAP_FAILED;
    if (memory == MAP_FAILED) {
        state.SkipWithError("could not measure the loaded library's memory");
        return;
    }
    char* const objects = static_cast<char*>(memory);
    std::vector<char> window(std::size_t(1) << 20);
    double floor = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const int fd = ::open(PathFor(items).c_str(), O_RDONLY);
        std::size_t written = 0;
        ssize_t got = 0;
        double owed = 0.0;
        while (fd >= 0 && (got = ::read(fd, window.data(), window.size())) > 0) {
            // Every byte read lands in an object, with the objects' own
            // pointers and counts around it.
            owed += static_cast<double>(got) * perFileByte;
            const std::size_t n = std::min(static_cast<std::size_t>(owed) - written, loaded - written);
            const std::size_t copied = std::min(n, static_cast<std::size_t>(got));
            std::memcpy(objects + written, window.data(), copied);
            std::memset(objects + written + copied, 0, n - copied);
            written += n;
        }
        if (fd >= 0)
            ::close(fd);
        benchmark::DoNotOptimize(objects[written / 2]);
        const double seconds = Seconds(start);
        floor += seconds;
        state.SetIterationTime(seconds);
    }
    ::munmap(memory, loaded);
    state.counters["read_ms"] = read * 1000.0;
    state.counters["loaded_MB"] = static_cast<double>(loaded) / 1e6;
    state.counters["x_read"] = floor / state.iterations() / read;
}

void BM_Check(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Prepare(items);
    double base = 0.0;
    double check = 0.0;
    double cpu = 0.0;
    for (auto _ : state) {
        const CRun cat = Spawn({ "/bin/cat", PathFor(items) });
        const CRun start = Spawn({ Tool(), "--version" });
        const CRun run = Spawn({ Tool(), "check", PathFor(items) });
        if (run.status != 0)
            state.SkipWithError("check failed");
        base += cat.wall + start.wall;
        check += run.wall;
        cpu += run.cpu;
        state.SetIterationTime(run.wall);
    }
    state.counters["cat_start_ms"] = base * 1000.0 / state.iterations();
    state.counters["cpu_ms"] = cpu * 1000.0 / state.iterations();
    state.counters["x_cat_start"] = check / base;
}

void BM_Dump(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Prepare(items);
    const std::string text = g_dir + "/dump.txt";
    Spawn({ Tool(), "dump", LibraryName(items) }, text.c_str());
    const double bytes = static_cast<double>(std::filesystem::file_size(text));
    std::filesystem::remove(text);
    double wall = 0.0;
    double cpu = 0.0;
    for (auto _ : state) {
        const CRun run = Spawn({ Tool(), "dump", LibraryName(items) });
        if (run.status != 0)
            state.SkipWithError("dump failed");
        wall += run.wall;
        cpu += run.cpu;
        state.SetIterationTime(run.wall);
    }
    state.counters["text_MB"] = bytes / 1e6;
    state.counters["MB_per_s"] = bytes / 1e6 * state.iterations() / wall;
    state.counters["cpu_ms"] = cpu * 1000.0 / state.iterations();
}

#define VEMO_SIZES ->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond)->UseManualTime()
BENCHMARK(BM_Load) VEMO_SIZES->Iterations(3);
BENCHMARK(BM_LoadFloor) VEMO_SIZES->Iterations(3);
BENCHMARK(BM_PeakMemory) VEMO_SIZES->Iterations(1);
BENCHMARK(BM_Check) VEMO_SIZES->Iterations(3);
BENCHMARK(BM_Dump) VEMO_SIZES->Iterations(2);

// Peak resident memory of this process in KB (VmHWM: unlike getrusage's
// figure, it starts afresh at exec and does not take over the parent's).
long PeakKB()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    std::fclose(f);
    return kb;
}

// The child of BM_PeakMemory: "<peak KB before> <peak KB after> <load ms>"
// on output.
int LoadPeak(const char* path)
{
    const long before = PeakKB();
    CLibrary library(true, true);
    CString error;
    const double seconds = vemobench::LoadSeconds(library, path, error);
    if (seconds < 0)
        return 1;
    std::printf("%ld %ld %.3f\n", before, PeakKB(), seconds * 1000.0);
    std::fflush(stdout);
    // What the process holds goes with it.
    ::_exit(0);
}

} // namespace

int main(int argc, char** argv)
{
    const char* dir = std::getenv("VEMO_BENCH_DIR");
    g_dir = dir ? dir : (std::filesystem::temp_directory_path() / "vemo-bench-limits").string();
    g_self = std::filesystem::canonical("/proc/self/exe");
    // Benchmarks never touch the user's folders.
    ::setenv("XDG_DATA_HOME", (g_dir + "/data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (g_dir + "/config").c_str(), 1);
    if (argc == 3 && std::strcmp(argv[1], "--vemo-load-peak") == 0)
        return LoadPeak(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
