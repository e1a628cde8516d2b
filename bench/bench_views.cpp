// Media view benchmarks on a generated library of 100,000 items (about
// 21,000 of them books), offscreen: switching the main window to the books'
// view, Next item, one character typed into the list's filter, New item.
//
//   bench_views [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "app/MainFrame.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaView.h"
#include "data/model/MediaUtils.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "platform/appcfg/AppPaths.h"
#include "support/LibraryGenerator.h"

namespace {

using vemobench::Clock;
using vemobench::Seconds;
using U = CMediaUtils;

constexpr int ITEMS = 100000;
constexpr int TYPE = U::MEDIA_BOOK;

CVemoLibraryDoc* g_doc = nullptr;
CMainFrame* g_frame = nullptr;

CMediaView* Books()
{
    if (g_frame->GetMediaTypeOnScreen() != TYPE) {
        g_frame->SwitchView(TYPE);
        // Laid out and painted as on screen.
        QApplication::processEvents();
    }
    return qobject_cast<CMediaView*>(g_frame->GetActiveView());
}

void BM_SwitchToTheTypesView(benchmark::State& state)
{
    for (auto _ : state) {
        g_frame->SwitchView(U::MEDIA_SOFTWARE);
        const auto start = Clock::now();
        g_frame->SwitchView(TYPE);
        QApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
    state.counters["entries"] = Books()->ItemList()->count();
}
BENCHMARK(BM_SwitchToTheTypesView)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_NextItem(benchmark::State& state)
{
    CMediaView* view = Books();
    for (auto _ : state) {
        if (!view->IsCommandEnabled(45155))
            view->ItemList()->setCurrentIndex(0);
        view->SelectNext();
    }
}
BENCHMARK(BM_NextItem)->Unit(benchmark::kMillisecond);

// One character typed into an empty filter (the widest change of the
// list), then the filter cleared again outside the timing.
void BM_FilterOneCharacter(benchmark::State& state)
{
    CMediaView* view = Books();
    const char* letters = "aeiorstn";
    int i = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        view->FilterBox()->setText(QString(QChar(letters[i++ % 8])));
        state.SetIterationTime(Seconds(start));
        view->FilterBox()->clear();
    }
}
BENCHMARK(BM_FilterOneCharacter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A second character narrows what the first left.
void BM_FilterSecondCharacter(benchmark::State& state)
{
    CMediaView* view = Books();
    for (auto _ : state) {
        view->FilterBox()->setText("e");
        const auto start = Clock::now();
        view->FilterBox()->setText("er");
        state.SetIterationTime(Seconds(start));
        view->FilterBox()->clear();
    }
}
BENCHMARK(BM_FilterSecondCharacter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// New item; the empty item goes again outside the timing (no question).
void BM_NewItem(benchmark::State& state)
{
    CMediaView* view = Books();
    for (auto _ : state) {
        const auto start = Clock::now();
        view->NewItem();
        state.SetIterationTime(Seconds(start));
        view->DeleteItem();
    }
}
BENCHMARK(BM_NewItem)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = (std::filesystem::temp_directory_path() / "vemo-bench-views").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // Benchmarks never touch the user's folders or screen.
    ::setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    CAppPaths::EnsureDataDir();
    auto settings = std::make_unique<CVemoLibrarySettings>(dir + "/");
    auto doc = std::make_unique<CVemoLibraryDoc>(settings.get());
    doc->SetAutoIdle(false);
    auto frame = std::make_unique<CMainFrame>(doc.get(), settings.get());
    doc->CreateNewLibrary();
    vemotest::LibraryGeneratorOptions options;
    options.itemCount = ITEMS;
    vemotest::GenerateLibrary(*doc->GetLibrary(), options);
    doc->MarkItemModified(nullptr);
    frame->show();
    // The view on screen was filled before the items came.
    frame->SwitchView(U::MEDIA_SOFTWARE);
    g_doc = doc.get();
    g_frame = frame.get();
    std::printf("%d items, %d of them %s\n", ITEMS, doc->GetItemCount(TYPE), U::GetMediaNamePlural(TYPE).c_str());
    std::fflush(stdout);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Nothing of the generated library needs to reach the disk.
    doc->SetSaveEnabled(false);
    frame.reset();
    doc.reset();
    std::filesystem::remove_all(dir);
    return 0;
}
