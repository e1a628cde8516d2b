// Report speed: the four-key report sort over 100,000 items, and a
// three-level web report of 10,000 items, written fresh and rerun unchanged.
// The fresh run measures the program, not the file system: its pages go to
// a new folder on a tmpfs (/dev/shm) for every repetition. Without a tmpfs
// they go under TMPDIR and only the first repetition on a fresh folder is
// reported, since a file system that has just deleted many files can make
// every new file slow to create (ext4 skips recently freed inodes: 0.97 s
// the first time, 4 to 5 s after). The benchmark's context says which.

#include <benchmark/benchmark.h>

#include <sys/vfs.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/ReportSort.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "support/LibraryGenerator.h"

namespace {

namespace fs = std::filesystem;
using U = CMediaUtils;

constexpr long TMPFS_MAGIC_NUMBER = 0x01021994;

bool OnTmpfs(const char* dir)
{
    struct statfs info { };
    return ::statfs(dir, &info) == 0 && info.f_type == TMPFS_MAGIC_NUMBER;
}

// Where the fresh web report's pages go.
const bool g_pagesOnTmpfs = OnTmpfs("/dev/shm");

std::string MakeTempDir(bool forPages = false)
{
    const fs::path base = forPages && g_pagesOnTmpfs ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "vemobench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

CLibrary& Library(int items)
{
    static std::unique_ptr<CLibrary> library;
    static int made = 0;
    if (made != items) {
        library = std::make_unique<CLibrary>(false, true);
        vemotest::GenerateLibrary(*library, { items, 42 });
        made = items;
    }
    return *library;
}

CItemList AllItems(CLibrary& library)
{
    CMediaTypeSelection all;
    all.SetShowAll(true);
    CMediaItemList media;
    library.GetMediaItems(all, media);
    CItemList items;
    for (CMediaItem* item : media)
        items.AddTail(item);
    return items;
}

void BM_ReportSortFourKeys(benchmark::State& state)
{
    CLibrary& library = Library(static_cast<int>(state.range(0)));
    const CItemList original = AllItems(library);
    for (auto _ : state) {
        state.PauseTiming();
        CItemList items = original;
        state.ResumeTiming();
        CReportSort::Sort(items, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_YEAR, U::MEDIA_PROP_DATEACQ,
            U::MEDIA_PROP_SERIESNUMBER, library.GetImpl());
        benchmark::DoNotOptimize(items.GetHead());
    }
    state.counters["items"] = static_cast<double>(original.GetCount());
}
BENCHMARK(BM_ReportSortFourKeys)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Every media type but magazines (whose articles would become the rows of
// level 2), by category, then title and series number, then one page per
// title with the item's entry.
CCustomWebReport* MakeThreeLevelReport(CLibrary& library, const std::string& output)
{
    const std::string templates = VEMO_TEMPLATE_SOURCE_DIR "/";
    auto* report = new CCustomWebReport();
    report->SetName("Everything");
    report->SetHomePage(output + "/Everything.htm", false);
    report->GetMediaIDs().SetShowAll(true);
    report->GetMediaIDs().SetShow(U::MEDIA_MAGAZINE, false);
    report->SetPageLevel(1, templates + "Movies1.htm", U::MEDIA_PROP_CATEGORY, "");
    report->SetPageLevel(2, templates + "Movies2.htm", U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER);
    report->SetPageLevel(3, templates + "VideoEntry.htm", "", "");
    library.AddCustomWebReport(report);
    return report;
}

// Runs the report; returns the number of items it covered.
long long Run(CLibrary& library, CCustomWebReport* report)
{
    long long items = 0;
    library.RunCustomWebReport(report, [&items](unsigned, long long first, long long second) {
        if (first == 1)
            items = second;
    });
    return items;
}

int CountPages(const std::string& output)
{
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(output))
        pages += entry.path().extension() == ".htm";
    return pages;
}

// The library holds magazines too: 10,600 items give a report of about
// 10,000.
constexpr int WEB_LIBRARY_ITEMS = 10600;

void BM_WebReportThreeLevelsFresh(benchmark::State& state)
{
    CLibrary& library = Library(WEB_LIBRARY_ITEMS);
    const std::string first = MakeTempDir(true);
    CCustomWebReport* report = MakeThreeLevelReport(library, first);
    long long items = 0;
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string output = MakeTempDir(true);
        report->SetHomePage(output + "/Everything.htm", false);
        state.ResumeTiming();
        items = Run(library, report);
        state.PauseTiming();
        pages = CountPages(output);
        fs::remove_all(output);
        state.ResumeTiming();
    }
    if (!report->GetRunErrorMsg().empty())
        state.SkipWithError(report->GetRunErrorMsg().c_str());
    state.counters["items"] = static_cast<double>(items);
    state.counters["pages"] = pages;
    library.DeleteCustomWebReport(report);
    fs::remove_all(first);
}
// On a tmpfs every repetition counts; elsewhere only the first.
BENCHMARK(BM_WebReportThreeLevelsFresh)->Unit(benchmark::kMillisecond)->Iterations(g_pagesOnTmpfs ? 3 : 1);

void BM_WebReportThreeLevelsUnchanged(benchmark::State& state)
{
    CLibrary& library = Library(WEB_LIBRARY_ITEMS);
    const std::string output = MakeTempDir();
    CCustomWebReport* report = MakeThreeLevelReport(library, output);
    Run(library, report);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::directory_iterator(output))
        fs::last_write_time(entry.path(), past);
    long long items = 0;
    for (auto _ : state)
        items = Run(library, report);
    if (!report->GetRunErrorMsg().empty())
        state.SkipWithError(report->GetRunErrorMsg().c_str());
    int rewritten = 0;
    for (const auto& entry : fs::directory_iterator(output))
        rewritten += fs::last_write_time(entry.path()) != past;
    state.counters["items"] = static_cast<double>(items);
    state.counters["pages"] = CountPages(output);
    state.counters["files_written"] = rewritten;
    library.DeleteCustomWebReport(report);
    fs::remove_all(output);
}
BENCHMARK(BM_WebReportThreeLevelsUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::AddCustomContext("fresh web report pages",
        g_pagesOnTmpfs ? "a new folder on the tmpfs /dev/shm per repetition"
                       : "no tmpfs: the first repetition, on a new folder under TMPDIR");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
