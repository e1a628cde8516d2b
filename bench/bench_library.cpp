// Library benchmarks on generated libraries of 10,000 and 100,000 items:
// load and save (beside plain buffered I/O of the same bytes), a changed sort
// order, text searches, duplicate look-ups and the statistics. Before the
// benchmarks the peak memory of a process that only loads each library is
// printed.
//
//   bench_library [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "data/model/CategoryMgr.h"
#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "data/store/MediaTypeSelection.h"
#include "support/LibraryGenerator.h"

namespace {

using vemobench::Clock;
using vemobench::RawRead;
using vemobench::Seconds;

std::string g_dir;

std::string PathFor(int items)
{
    return g_dir + "/library-" + std::to_string(items) + ".vly";
}

// Plain buffered writing of a whole file, the yardstick of saves.
double RawWrite(const std::string& path, const std::string& bytes)
{
    const auto start = Clock::now();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0.0;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    ::fsync(fileno(f));
    std::fclose(f);
    return Seconds(start);
}

// One loaded library per size, shared by the benchmarks after the load ones.
CLibrary& Loaded(int items)
{
    static std::map<int, std::unique_ptr<CLibrary>> libraries;
    auto& slot = libraries[items];
    if (!slot) {
        slot = std::make_unique<CLibrary>(true, false);
        bool converted = false;
        CString error;
        if (!CLibraryFile::Read(*slot, PathFor(items), converted, error)) {
            std::fprintf(stderr, "cannot load %s: %s\n", PathFor(items).c_str(), error.c_str());
            std::exit(1);
        }
    }
    return *slot;
}

CMediaTypeSelection AllTypes()
{
    CMediaTypeSelection all;
    all.SetShowAll(true);
    return all;
}

void BM_Load(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    double raw = 0.0;
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes;
        raw += RawRead(PathFor(items), bytes);
        size = bytes.size();
        auto library = std::make_unique<CLibrary>(true, false);
        CString error;
        const double seconds = vemobench::LoadSeconds(*library, PathFor(items), error);
        if (seconds < 0)
            state.SkipWithError(error.c_str());
        state.SetIterationTime(seconds);
        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    state.counters["raw_io_ms"] = raw * 1000.0 / state.iterations();
    state.counters["file_MB"] = size / 1e6;
}

void BM_Save(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    CLibrary& library = Loaded(items);
    const std::string path = g_dir + "/save-" + std::to_string(items) + ".vly";
    const std::string rawPath = g_dir + "/raw-" + std::to_string(items) + ".bin";
    std::string bytes;
    CString error;
    CLibraryFile::WriteBytes(library, bytes, error);
    double raw = 0.0;
    for (auto _ : state) {
        raw += RawWrite(rawPath, bytes);
        const auto start = Clock::now();
        if (!CLibraryFile::Write(library, path, error))
            state.SkipWithError(error.c_str());
        state.SetIterationTime(Seconds(start));
    }
    state.counters["raw_io_ms"] = raw * 1000.0 / state.iterations();
    state.counters["file_MB"] = bytes.size() / 1e6;
}

// Every type is sorted by another order each time, then all items are
// listed.
void BM_SortChange(benchmark::State& state)
{
    CLibrary& library = Loaded(static_cast<int>(state.range(0)));
    const CMediaTypeSelection all = AllTypes();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        for (int type = 1; type <= 24; ++type)
            library.SetSortOrder(type, flip ? CMediaUtils::MEDIA_PROP_TITLE : CMediaUtils::MEDIA_PROP_YEAR,
                flip ? CMediaUtils::MEDIA_PROP_YEAR : CMediaUtils::MEDIA_PROP_TITLE, false);
        CMediaItemList items;
        library.GetMediaItems(all, items);
        benchmark::DoNotOptimize(items.GetCount());
    }
}

void Search(benchmark::State& state, const char* text, bool cold)
{
    CLibrary& library = Loaded(static_cast<int>(state.range(0)));
    const CMediaTypeSelection all = AllTypes();
    CTextSearchOptions options;
    options.text = text;
    std::size_t found = 0;
    if (!cold) {
        // The index is made by the first search; the warm figures leave it out.
        CItemList warmUp;
        library.DoTextSearch(options, all, warmUp);
    }
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            library.NoteItemsChanged();
            // Sorting again is not part of a search.
            CMediaItemList items;
            library.GetMediaItems(all, items);
            state.ResumeTiming();
        }
        CItemList results;
        library.DoTextSearch(options, all, results);
        found = results.GetCount();
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_SearchOneWord(benchmark::State& state)
{
    Search(state, "harbor", false);
}
void BM_SearchThreeWords(benchmark::State& state)
{
    Search(state, "the silent harbor", false);
}
void BM_SearchOneWordCold(benchmark::State& state)
{
    Search(state, "harbor", true);
}

// Look-ups of rows that match existing items (as an import of them would).
void BM_FindDuplicate(benchmark::State& state)
{
    CLibrary& library = Loaded(static_cast<int>(state.range(0)));
    // A row for every 50th item, made from its data as an import makes it.
    std::vector<std::unique_ptr<CMediaItem>> probes;
    for (int type = 1; type <= 24; ++type) {
        int n = 0;
        for (POSITION pos = library.GetHeadItem(type); pos;) {
            CMediaItem* item = library.GetNextItem(type, pos);
            if (n++ % 50 != 0)
                continue;
            CMapStringToString row;
            for (const CString& prop : CMediaRegistry::GetDataProps(type))
                row.SetAt(prop, CString());
            item->GetData(row);
            row.RemoveKey(CMediaUtils::MEDIA_PROP_CATEGORY);
            std::unique_ptr<CMediaItem> probe(CMediaRegistry::Find(type)->createItem());
            probe->SetData(row, true);
            probes.push_back(std::move(probe));
        }
    }
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const auto& probe : probes)
            found += library.FindDuplicate(probe.get()) != nullptr;
    }
    state.counters["lookups"] = static_cast<double>(probes.size());
    state.counters["found"] = static_cast<double>(found);
    state.counters["us_per_lookup"] = benchmark::Counter(static_cast<double>(probes.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Statistics(benchmark::State& state)
{
    CLibrary& library = Loaded(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double total = 0.0;
        int counts = 0;
        for (int type = 1; type <= 24; ++type) {
            counts += library.GetTotalItemCount(type) + library.GetCheckedoutItemCount(type)
                + library.GetReservedItemCount(type);
            total += library.GetTotalValue(type);
        }
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(counts);
    }
}

#define VEMO_SIZES ->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Load) VEMO_SIZES->UseManualTime()->Iterations(3);
BENCHMARK(BM_Save) VEMO_SIZES->UseManualTime()->Iterations(3);
BENCHMARK(BM_SortChange) VEMO_SIZES->Iterations(6);
BENCHMARK(BM_SearchOneWord) VEMO_SIZES;
BENCHMARK(BM_SearchThreeWords) VEMO_SIZES;
BENCHMARK(BM_SearchOneWordCold) VEMO_SIZES->Iterations(3);
BENCHMARK(BM_FindDuplicate) VEMO_SIZES;
BENCHMARK(BM_Statistics) VEMO_SIZES;

// Runs f in a child process; returns what it wrote to the pipe.
template <class F> std::string InChild(F f)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = f();
        (void)!::write(fds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return out;
}

void Prepare(int items)
{
    if (std::filesystem::exists(PathFor(items)))
        return;
    InChild([items] {
        CLibrary library(true, true);
        vemotest::GenerateLibrary(library, { items, 20240601u });
        CString error;
        CLibraryFile::Write(library, PathFor(items), error);
        return std::string();
    });
}

void ReportPeakMemory(int items)
{
    const std::string line = InChild([items] {
        struct rusage before { };
        ::getrusage(RUSAGE_SELF, &before);
        CLibrary library(true, true);
        bool converted = false;
        CString error;
        const auto start = Clock::now();
        CLibraryFile::Read(library, PathFor(items), converted, error);
        const double seconds = Seconds(start);
        struct rusage after { };
        ::getrusage(RUSAGE_SELF, &after);
        char text[256];
        std::snprintf(text, sizeof text,
            "library of %d items: file %.1f MB, loaded in %.0f ms, peak memory %.1f MB (%.1f MB before loading)\n",
            items, std::filesystem::file_size(PathFor(items)) / 1e6, seconds * 1000.0, after.ru_maxrss / 1024.0,
            before.ru_maxrss / 1024.0);
        return std::string(text);
    });
    std::fputs(line.c_str(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const char* dir = std::getenv("VEMO_BENCH_DIR");
    g_dir = dir ? dir : (std::filesystem::temp_directory_path() / "vemo-bench").string();
    std::filesystem::create_directories(g_dir);
    // Benchmarks never touch the user's folders.
    ::setenv("XDG_DATA_HOME", (g_dir + "/data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (g_dir + "/config").c_str(), 1);
    for (int items : { 10000, 100000 }) {
        Prepare(items);
        ReportPeakMemory(items);
    }
    std::fflush(stdout);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
