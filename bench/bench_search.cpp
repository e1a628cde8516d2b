// The first text search after a load, on generated libraries of 10,000,
// 100,000 and 300,000 items (all media types, with sub-items), beside a
// SQLite LIKE scan of the same texts (one row per item and sub-item, in
// memory) in the same run:
//  - cold: the first search makes every index on the caller's thread;
//  - background: the indexes are made on a worker thread right after the
//    load while the owner thread takes and lets go of the read gate every
//    millisecond, as the window's thread does; the longest the owner waited
//    for the gate (what input would wait) and the time until the worker is
//    done;
//  - warm: a search once the indexes are ready.
// Each figure is the median of 3.
//
//   bench_search [items...]

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/LibrarySearch.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/ReadGate.h"
#include "support/LibraryGenerator.h"

namespace {

using vemobench::Clock;
using vemobench::Ms;
constexpr const char* SEARCHED_WORD = "harbor";

std::size_t Search(CLibrary& library)
{
    CTextSearchOptions options;
    options.text = SEARCHED_WORD;
    options.includeSubItems = true;
    CMediaTypeSelection all;
    all.SetShowAll(true);
    CItemList results;
    library.DoTextSearch(options, all, results);
    return results.GetCount();
}

// The properties the search looks in: free text, not derived.
CMapStringToString SearchedProps(const CStringArray& props)
{
    CMapStringToString data;
    for (const CString& prop : props) {
        bool derived, yesNo, number, date, text, list, noGridEdit;
        CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
        if (text && !derived)
            data.SetAt(prop, CString());
    }
    return data;
}

// The texts the search looks in, one row per item and sub-item.
sqlite3* MakeTable(CLibrary& library)
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, "CREATE TABLE texts(t TEXT); BEGIN;", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO texts VALUES(?)", -1, &insert, nullptr);
    auto add = [&](const CString& text) {
        sqlite3_bind_text(insert, 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    };
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        CMapStringToString mediaData = SearchedProps(CMediaRegistry::GetDataProps(type));
        CMapStringToString subData = SearchedProps(CMediaRegistry::GetSubItemOwnProps(type));
        for (POSITION pos = library.GetHeadItem(type); pos;) {
            const CMediaItem* item = library.GetNextItem(type, pos);
            add(CLibrarySearch::MediaItemText(*item, mediaData));
            for (POSITION sub = item->GetHeadSubItem(); sub;)
                if (const CMediaSubItem* s = item->GetNextSubItem(sub))
                    add(CLibrarySearch::SubItemText(*s, subData));
        }
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    return db;
}

long long ScanWithLike(sqlite3* db)
{
    sqlite3_stmt* query = nullptr;
    const std::string sql = std::string("SELECT count(*) FROM texts WHERE t LIKE '%") + SEARCHED_WORD + "%'";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr);
    sqlite3_step(query);
    const long long count = sqlite3_column_int64(query, 0);
    sqlite3_finalize(query);
    return count;
}

struct CBackground {
    double longestWait = 0.0; // ms
    double done = 0.0; // ms
};

// The owner thread as the window's: holds the gate for a moment every
// millisecond until the worker is done.
CBackground RunInBackground(CLibrary& library)
{
    CReadGate gate;
    gate.Hold();
    const auto start = Clock::now();
    library.StartSearchBuilding(gate);
    CBackground figures;
    while (library.IsSearchBuilding()) {
        gate.Release();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto before = Clock::now();
        gate.Hold();
        figures.longestWait = std::max(figures.longestWait, Ms(before));
    }
    figures.done = Ms(start);
    gate.Release();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = { 10000, 100000, 300000 };
    std::printf("First search for \"%s\" after a load, median of 3 (load average %s)\n", SEARCHED_WORD,
        vemobench::LoadAverage().c_str());
    std::printf("%8s %8s %9s %9s %7s %12s %12s %8s\n", "items", "found", "cold ms", "LIKE ms", "ratio", "bg wait ms",
        "bg done ms", "warm ms");
    for (int items : sizes) {
        auto library = std::make_unique<CLibrary>(false, true);
        vemotest::GenerateLibrary(*library, { items, 20240601u });
        sqlite3* db = MakeTable(*library);
        std::vector<double> cold, like, wait, done, warm;
        std::size_t found = 0;
        long long liked = 0;
        // Sorting again after the indexes are dropped is not part of a search.
        const auto forget = [&library] {
            library->NoteItemsChanged();
            CMediaTypeSelection all;
            all.SetShowAll(true);
            CMediaItemList sorted;
            library->GetMediaItems(all, sorted);
        };
        for (int r = 0; r < 3; ++r) {
            forget();
            auto start = Clock::now();
            found = Search(*library);
            cold.push_back(Ms(start));
            start = Clock::now();
            liked = ScanWithLike(db);
            like.push_back(Ms(start));
            forget();
            const CBackground background = RunInBackground(*library);
            wait.push_back(background.longestWait);
            done.push_back(background.done);
            start = Clock::now();
            Search(*library);
            warm.push_back(Ms(start));
        }
        sqlite3_close(db);
        std::printf("%8d %8zu %9.1f %9.1f %7.2f %12.2f %12.1f %8.1f%s\n", items, found, vemobench::Median(cold),
            vemobench::Median(like), vemobench::Median(cold) / vemobench::Median(like), vemobench::Median(wait),
            vemobench::Median(done), vemobench::Median(warm),
            static_cast<long long>(found) == liked ? "" : "  (SQLite found another count)");
        std::fflush(stdout);
    }
    std::printf("(load average after: %s)\n", vemobench::LoadAverage().c_str());
    return 0;
}
