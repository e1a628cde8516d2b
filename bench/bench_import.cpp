// Import of delimited text. First, as a whole process, the tool's import of
// a spreadsheet export of 10,000, 100,000 and 300,000 book rows into an empty
// library (and its dry run) beside an import of the same rows into SQLite
// through its C library (one table, one transaction, prepared inserts, the
// same CSV reading rules), with the ratio of the times; each figure is the
// median of 3 runs, each run a fresh process. Then, in-process, the import
// into a media type that already holds many items: reading the rows, finding
// each row's equal item, and the snapshot that makes the import
// all-or-nothing; and typed rows into an empty type as the window imports
// them (rows held) and as the tool does (rows read again from a file), with
// the process's peak memory.
//
//   bench_import [--tool-sizes=N,N,...] [--tool=PATH] [benchmark options]
//
// --tool runs another build of the tool (an earlier one, to compare with).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "data/model/MediaUtils.h"
#include "data/store/ImportJob.h"
#include "data/store/Library.h"
#include "data/store/LibraryIDSettings.h"
#include "support/LibraryGenerator.h"

namespace {

using U = CMediaUtils;

// A generated library of every media type, with "Book 0" .. "Book n-1"
// added to its books.
void FillLibrary(CLibrary& library, int count, bool autoNumber)
{
    vemotest::GenerateLibrary(library, { 5000, 7 });
    library.GetLibraryIDFormatForID(U::MEDIA_BOOK)->SetAutoGenerate(autoNumber);
    CMapStringToString values;
    for (int i = 0; i < count; ++i) {
        values.SetAt(U::MEDIA_PROP_TITLE, "Book " + std::to_string(i));
        values.SetAt(U::MEDIA_PROP_AUTHOR, "Author " + std::to_string(i % 997));
        library.Import(U::MEDIA_BOOK, values, false);
    }
}

// count rows: every other one equal to a book of the library (its missing
// year is filled in), the others new.
std::string MakeRows(int count)
{
    std::string text = "Title,Author,Year,Description\n";
    for (int i = 0; i < count; ++i) {
        const int n = i % 2 == 0 ? i : count + i;
        text += "Book " + std::to_string(n) + ",Author " + std::to_string(n % 997) + ","
            + std::to_string(1900 + i % 120) + ",\"A description, with a comma\"\n";
    }
    return text;
}

void RunImport(benchmark::State& state, bool dryRun, bool autoNumber, bool discarded = false)
{
    const int count = static_cast<int>(state.range(0));
    const std::string rows = MakeRows(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<CLibrary>(false, true);
        FillLibrary(*library, count, autoNumber);
        state.ResumeTiming();

        CImportJob job(*library, U::MEDIA_BOOK);
        job.SetDiscardedUnlessSaved(discarded);
        CString error;
        if (!job.ReadBytes(rows, ',', error))
            state.SkipWithError(error.c_str());
        const CImportOutcome outcome = job.Run(dryRun);
        if (!outcome.Succeeded() || outcome.created + outcome.merged != count)
            state.SkipWithError("the import did not take every row");

        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_ImportIntoFullType(benchmark::State& state)
{
    RunImport(state, false, false);
}
BENCHMARK(BM_ImportIntoFullType)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ImportDryRun(benchmark::State& state)
{
    RunImport(state, true, false);
}
BENCHMARK(BM_ImportDryRun)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The tool's dry run: the library is thrown away afterwards, so it is
// neither copied before nor put back after.
void BM_ImportDryRunDiscarded(benchmark::State& state)
{
    RunImport(state, true, false, true);
}
BENCHMARK(BM_ImportDryRunDiscarded)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// New items numbered automatically: the import index keeps the highest
// number, so numbering stays linear.
void BM_ImportWithLibraryIDs(benchmark::State& state)
{
    RunImport(state, false, true);
}
BENCHMARK(BM_ImportWithLibraryIDs)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadRows(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string rows = MakeRows(count);
    CLibrary library(false, true);
    for (auto _ : state) {
        CImportJob job(library, U::MEDIA_BOOK);
        CString error;
        benchmark::DoNotOptimize(job.ReadBytes(rows, ',', error));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}
BENCHMARK(BM_ReadRows)->Arg(100000)->Unit(benchmark::kMillisecond);

// count rows of a spreadsheet export into an empty library, every cell read
// as its property wants (numbers, a decimal comma, dates, yes/no words, a
// guarded ISBN), one row in fifty with a cell that cannot be read.
std::string MakeTypedRows(int count)
{
    std::string text = "Title;Author;Pages;Price;Acquired;Hardcover?;ISBN\n";
    for (int i = 0; i < count; ++i) {
        text += "Book " + std::to_string(i) + ";Author " + std::to_string(i % 997) + ";"
            + (i % 50 == 0 ? std::string("abc") : std::to_string(100 + i % 900)) + ";" + std::to_string(i % 90)
            + ",50;2019-0" + std::to_string(1 + i % 9) + "-1" + std::to_string(i % 10) + ";"
            + (i % 2 ? "Hardcover" : "Paperback") + ";=\"04410" + std::to_string(10000 + i % 89999) + "\"\n";
    }
    return text;
}

// As the window imports (rows held) or, toolLike, as the tool does: from a
// file, each row read again as it is imported, nothing kept for a failure.
// The peak is the process's, so each size wants a run of its own
// (--benchmark_filter=.../1000000).
void ImportTypedRows(benchmark::State& state, bool toolLike)
{
    const int count = static_cast<int>(state.range(0));
    std::string rows = MakeTypedRows(count);
    const std::string path = "/tmp/vemo-bench-typed-" + std::to_string(::getpid()) + ".csv";
    if (toolLike) {
        std::ofstream(path, std::ios::binary) << rows;
        std::string().swap(rows);
    }
    std::size_t unread = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<CLibrary>(false, true);
        state.ResumeTiming();
        CImportJob job(*library, U::MEDIA_BOOK);
        job.SetRunOnce(toolLike);
        job.SetDiscardedUnlessSaved(toolLike);
        CString error;
        if (!(toolLike ? job.ReadFile(path, ';', error) : job.ReadBytes(rows, ';', error)))
            state.SkipWithError(error.c_str());
        const CImportOutcome outcome = job.Run(false);
        if (!outcome.Succeeded() || outcome.created != count)
            state.SkipWithError("the import did not take every row");
        unread = outcome.unread.size();
        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    if (toolLike)
        std::remove(path.c_str());
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["unread"] = static_cast<double>(unread);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_ImportTypedRowsIntoEmptyType(benchmark::State& state)
{
    ImportTypedRows(state, false);
}
BENCHMARK(BM_ImportTypedRowsIntoEmptyType)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ImportTypedRowsAsTheTool(benchmark::State& state)
{
    ImportTypedRows(state, true);
}
BENCHMARK(BM_ImportTypedRowsAsTheTool)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---------------------------------------------------------------------------
// The tool beside SQLite, each a process of its own.

namespace fs = std::filesystem;
using vemobench::Clock;

// A book site's export: a header of property names, quoted descriptions.
std::string MakeExport(int count)
{
    std::string text = "Title,Author,Publisher,Year,Pages,Price,ISBN,Description\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += "The Book of " + n + ",Author " + std::to_string(i % 4999) + ",Publisher " + std::to_string(i % 97)
            + "," + std::to_string(1900 + i % 120) + "," + std::to_string(100 + i % 900) + "," + std::to_string(i % 90)
            + ".50,978" + std::to_string(1000000000 + i) + ",\"Notes on book " + n + ", with a comma\"\n";
    }
    return text;
}

// RFC 4180 rows, as the program reads them.
bool NextRow(const std::string& text, std::size_t& pos, std::vector<std::string>& cells)
{
    cells.clear();
    if (pos >= text.size())
        return false;
    std::string cell;
    bool quoted = false;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (quoted) {
            if (c == '"' && pos < text.size() && text[pos] == '"')
                cell += text[pos++];
            else if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"' && cell.empty()) {
            quoted = true;
        } else if (c == ',') {
            cells.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            cell += c;
        }
    }
    cells.push_back(std::move(cell));
    return true;
}

int ImportIntoSqlite(const char* csv, const char* db)
{
    std::ifstream file(csv, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    sqlite3* handle = nullptr;
    if (sqlite3_open(db, &handle) != SQLITE_OK)
        return 1;
    sqlite3_exec(handle,
        "CREATE TABLE books(title TEXT, author TEXT, publisher TEXT, year INTEGER, pages INTEGER, price REAL, "
        "isbn TEXT, description TEXT); BEGIN;",
        nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle, "INSERT INTO books VALUES(?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
    std::size_t pos = 0;
    std::vector<std::string> cells;
    NextRow(text, pos, cells);
    while (NextRow(text, pos, cells)) {
        for (int i = 0; i < 8; ++i) {
            const std::string cell = i < static_cast<int>(cells.size()) ? cells[i] : std::string();
            if (i == 3 || i == 4)
                sqlite3_bind_int(insert, i + 1, std::atoi(cell.c_str()));
            else if (i == 5)
                sqlite3_bind_double(insert, i + 1, std::atof(cell.c_str()));
            else
                sqlite3_bind_text(insert, i + 1, cell.data(), static_cast<int>(cell.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(insert) != SQLITE_DONE)
            return 1;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    const bool committed = sqlite3_exec(handle, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    return sqlite3_close(handle) == SQLITE_OK && committed ? 0 : 1;
}

struct CRun {
    double ms = 0.0;
    double cpuMs = 0.0; // user and system
    double peakMB = 0.0;
    bool ok = false;
};

CRun RunProcess(const std::vector<std::string>& args, const std::string& home)
{
    CRun run;
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    run.ms = vemobench::Ms(start);
    run.peakMB = usage.ru_maxrss / 1024.0;
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void CompareWithSqlite(const std::vector<int>& sizes, const std::string& tool)
{
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string root = (fs::temp_directory_path() / ("vemo-bench-import-" + std::to_string(::getpid()))).string();
    std::printf("Tool import into an empty library beside SQLite, median of 3 (load average %s)\n",
        vemobench::LoadAverage().c_str());
    // Wall time counts the file system's syncs, which other work on the
    // machine can stretch; the CPU time does not.
    std::printf("%8s %10s %10s %9s %10s %10s %9s %7s %7s %10s %10s\n", "rows", "sqlite ms", "sqlite CPU", "sqlite MB",
        "tool ms", "tool CPU", "tool MB", "ratio", "CPU rat", "dry ms", "dry CPU");
    using vemobench::Median;
    for (int rows : sizes) {
        fs::create_directories(root);
        const std::string csv = root + "/books.csv";
        {
            std::ofstream(csv, std::ios::binary) << MakeExport(rows);
        }
        std::vector<double> sqliteMs, sqliteCpu, sqliteMB, toolMs, toolCpu, toolMB, dryMs, dryCpu;
        bool ok = true;
        for (int r = 0; r < 3; ++r) {
            const std::string db = root + "/books.db";
            fs::remove(db);
            const CRun sqlite = RunProcess({ self, "--sqlite-import", csv, db }, root);
            fs::remove_all(root + "/data");
            RunProcess({ tool, "new", "Books" }, root);
            const CRun dry = RunProcess({ tool, "import", "Books", "--type", "Books", csv, "--dry-run" }, root);
            const CRun imported = RunProcess({ tool, "import", "Books", "--type", "Books", csv }, root);
            ok = ok && sqlite.ok && dry.ok && imported.ok;
            sqliteMs.push_back(sqlite.ms);
            sqliteCpu.push_back(sqlite.cpuMs);
            sqliteMB.push_back(sqlite.peakMB);
            toolMs.push_back(imported.ms);
            toolCpu.push_back(imported.cpuMs);
            toolMB.push_back(imported.peakMB);
            dryMs.push_back(dry.ms);
            dryCpu.push_back(dry.cpuMs);
        }
        std::printf("%8d %10.0f %10.0f %9.1f %10.0f %10.0f %9.1f %7.2f %7.2f %10.0f %10.0f%s\n", rows, Median(sqliteMs),
            Median(sqliteCpu), Median(sqliteMB), Median(toolMs), Median(toolCpu), Median(toolMB),
            Median(toolMs) / Median(sqliteMs), Median(toolCpu) / Median(sqliteCpu), Median(dryMs), Median(dryCpu),
            ok ? "" : "  (a run failed)");
        std::fflush(stdout);
        fs::remove_all(root);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--sqlite-import") == 0)
        return ImportIntoSqlite(argv[2], argv[3]);
    std::vector<int> sizes { 10000, 100000, 300000 };
    std::string tool = VEMO_CLI;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tool=", 7) == 0) {
            tool = argv[i] + 7;
            continue;
        }
        if (std::strncmp(argv[i], "--tool-sizes=", 13) != 0) {
            rest.push_back(argv[i]);
            continue;
        }
        sizes.clear();
        std::stringstream list(argv[i] + 13);
        for (std::string size; std::getline(list, size, ',');)
            if (std::atoi(size.c_str()) > 0)
                sizes.push_back(std::atoi(size.c_str()));
    }
    CompareWithSqlite(sizes, tool);
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
