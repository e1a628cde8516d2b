// The sub-item page on a CD of 500 tracks: opening it (the item handed to
// the page, then the page drawn) and adding a track (as F5 does, with the
// library marked and the new row's title editor opened). Runs on Qt's
// offscreen platform in a throwaway home.
//
//   bench_app_pages [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "app/VemoLibrarySettings.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/SubItemModel.h"
#include "app/pages/SubItemsPage.h"
#include "data/model/CD.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/util/StringUtils.h"

namespace {

constexpr int kTracks = 500;

// A document with a fresh library in a temporary home, and a CD of 500
// tracks on a page in a tab widget of the size the main window gives it.
struct CFixture {
    QTemporaryDir home;
    std::unique_ptr<CVemoLibrarySettings> settings;
    std::unique_ptr<CVemoLibraryDoc> doc;
    QTabWidget tabs;
    CSubItemsPage* page = nullptr;
    CMediaItem* cd = nullptr;

    CFixture()
    {
        qputenv("XDG_DATA_HOME", home.path().toUtf8() + "/data");
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8() + "/config");
        CAppPaths::EnsureDataDir();
        settings = std::make_unique<CVemoLibrarySettings>("/opt/vemo/bin/");
        doc = std::make_unique<CVemoLibraryDoc>(settings.get());
        doc->SetAutoIdle(false);
        doc->OnNewDocument();
        doc->CreateNewLibrary();
        cd = doc->GetLibrary()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr);
        for (int number = 1; number <= kTracks; ++number) {
            auto* track = new CCDTrack;
            track->SetTrack(number);
            track->SetTitle(CStringUtils::Format("Track title number %d", number));
            track->SetLength(180 + number % 120);
            cd->AddSubItem(track);
        }
        page = new CSubItemsPage(doc.get(), CMediaUtils::MEDIA_CD);
        tabs.addTab(page, page->Title());
        tabs.resize(720, 300);
        tabs.show();
        QApplication::processEvents();
    }
    ~CFixture()
    {
        page->SetItem(nullptr);
        tabs.clear();
        delete page;
        doc.reset();
    }
};

void BM_OpenTracksPage(benchmark::State& state)
{
    CFixture fixture;
    for (auto _ : state) {
        fixture.page->SetItem(nullptr);
        fixture.page->SetItem(fixture.cd);
        // Drawn as it would be on screen.
        benchmark::DoNotOptimize(fixture.tabs.grab());
    }
}
BENCHMARK(BM_OpenTracksPage)->Unit(benchmark::kMillisecond);

void BM_AddTrack(benchmark::State& state)
{
    CFixture fixture;
    fixture.page->SetItem(fixture.cd);
    CSubItemModel& model = *fixture.page->GetModel();
    for (auto _ : state) {
        fixture.page->AddSubItem();
        QApplication::processEvents();
        state.PauseTiming();
        fixture.page->TakeOver();
        model.RemoveSubItem(model.rowCount() - 1, [&](CMediaSubItem* sub) { fixture.cd->DeleteSubItem(sub); });
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddTrack)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
