// Import of delimited text into a media type that already holds many items:
// reading the rows, finding each row's equal item, and the snapshot that
// makes the import all-or-nothing. Goal: 100,000 rows into 100,000 items in
// well under 5 s.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>
#include <string>

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

void RunImport(benchmark::State& state, bool dryRun, bool autoNumber)
{
    const int count = static_cast<int>(state.range(0));
    const std::string rows = MakeRows(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<CLibrary>(false, true);
        FillLibrary(*library, count, autoNumber);
        state.ResumeTiming();

        CImportJob job(*library, U::MEDIA_BOOK);
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

void BM_ImportTypedRowsIntoEmptyType(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string rows = MakeTypedRows(count);
    std::size_t unread = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<CLibrary>(false, true);
        state.ResumeTiming();
        CImportJob job(*library, U::MEDIA_BOOK);
        CString error;
        if (!job.ReadBytes(rows, ';', error))
            state.SkipWithError(error.c_str());
        const CImportOutcome outcome = job.Run(false);
        if (!outcome.Succeeded() || outcome.created != count)
            state.SkipWithError("the import did not take every row");
        unread = outcome.unread.size();
        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["unread"] = static_cast<double>(unread);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ImportTypedRowsIntoEmptyType)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
