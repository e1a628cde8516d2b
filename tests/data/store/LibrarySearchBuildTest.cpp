// Search indexes made on a worker thread while the owner thread changes the
// library between the worker's steps.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/ReadGate.h"
#include "support/LibraryGenerator.h"

namespace {

using U = CMediaUtils;

std::vector<const CItem*> Found(CLibrary& library, const char* text)
{
    CTextSearchOptions options;
    options.text = text;
    options.includeSubItems = true;
    CMediaTypeSelection all;
    all.SetShowAll(true);
    CItemList results;
    library.DoTextSearch(options, all, results);
    return std::vector<const CItem*>(results.begin(), results.end());
}

void Retitle(CLibrary& library, CMediaItem* item, const CString& title)
{
    CMapStringToString data;
    data.SetAt(U::MEDIA_PROP_TITLE, title);
    item->SetData(data, true);
    library.NoteItemChanged(item);
}

// Lets the worker take a few steps.
void LetGo(CReadGate& gate)
{
    gate.Release();
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    gate.Hold();
}

TEST(SearchBuildingTest, ChangesBetweenStepsGiveTheResultsOfAFreshIndex)
{
    CLibrary library(false, true);
    vemotest::GenerateLibrary(library, { 3000, 5u });
    CReadGate gate;
    gate.Hold();
    library.StartSearchBuilding(gate);
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
        LetGo(gate);
        POSITION pos = library.GetHeadItem(type);
        CMediaItem* first = pos ? library.GetNextItem(type, pos) : nullptr;
        CMediaItem* second = pos ? library.GetNextItem(type, pos) : nullptr;
        if (first)
            Retitle(library, first, "Zebracorn changed");
        if (second)
            library.DeleteItem(second);
        Retitle(library, library.CreateMediaItem(type, nullptr), "Zebracorn added");
        if (type == 12) {
            // A search before the worker is done makes what it needs itself.
            EXPECT_EQ(Found(library, "zebracorn").size(), 2u * 12);
        }
    }
    gate.Release();
    while (library.IsSearchBuilding())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    gate.Hold();
    const auto built = Found(library, "zebracorn");
    const auto builtCommon = Found(library, "harbor");
    library.NoteItemsChanged();
    EXPECT_EQ(built, Found(library, "zebracorn"));
    EXPECT_EQ(builtCommon, Found(library, "harbor"));
    EXPECT_EQ(built.size(), 2u * 24);
    EXPECT_FALSE(builtCommon.empty());
    gate.Release();
}

TEST(SearchBuildingTest, ALibraryGoesWhileItsWorkerWaits)
{
    auto library = std::make_unique<CLibrary>(false, true);
    vemotest::GenerateLibrary(*library, { 2000, 9u });
    CReadGate gate;
    gate.Hold();
    library->StartSearchBuilding(gate);
    LetGo(gate);
    library.reset();
    gate.Release();
}

} // namespace
