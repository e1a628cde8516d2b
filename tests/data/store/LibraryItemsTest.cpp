#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/Category.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/DVD.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"
#include "support/ItemTexts.h"

namespace {

using U = CMediaUtils;
using Strings = std::vector<std::string>;

CMediaItem* Add(CLibrary& library, int type, const CString& title, int category = 0)
{
    CMediaItem* item = library.CreateMediaItem(type, nullptr);
    item->SetTitle(title);
    if (category > 0)
        item->SetCategoryID(category);
    library.NoteItemChanged(item);
    return item;
}

CCustomField* Field(CLibrary& library, int type, const CString& name, CFDataType kind = CF_TEXT)
{
    auto* field = new CCustomField();
    field->SetName(name);
    field->SetDataType(kind);
    library.GetCustomFieldMgr(type)->Add(field);
    return field;
}

int CategoryID(CLibrary& library, const CString& name)
{
    auto* category = new CCategory(name);
    library.AddCategory(category);
    return category->GetUniqueID();
}

CCheckOutState* Loan(CMediaItem* item, int person, bool reservation)
{
    auto* entry = new CCheckOutState();
    entry->SetPersonID(person);
    if (reservation)
        entry->SetReservedDate(COleDateTime(2024, 3, 1, 0, 0, 0));
    else
        entry->SetCheckedOutDate(COleDateTime(2024, 3, 1, 0, 0, 0));
    item->GetCheckOut()->Add(entry);
    return entry;
}

} // namespace

TEST_F(LibraryTest, NewLibraryHasItsDefaults)
{
    CLibrary library(true, true);
    for (int type = 1; type <= 24; ++type)
        EXPECT_EQ(
            library.GetMediaTypes()->GetShow(type), type == 1 || type == 3 || type == 6 || type == 15 || type == 16)
            << type;
    EXPECT_EQ(library.GetDefaultDVDRegion(), 1);
    EXPECT_TRUE(library.GetPrintPortrait());
    ASSERT_EQ(library.GetResearchEntryCount(), 6);
    for (int i = 1; i < 6; ++i)
        EXPECT_LT(CStringUtils::CompareNoCase(
                      library.GetResearchEntryAt(i - 1)->GetName(), library.GetResearchEntryAt(i)->GetName()),
            0);
    EXPECT_EQ(library.GetResearchEntryAt(6), nullptr);
    POSITION pos = library.GetHeadCategory();
    ASSERT_NE(pos, nullptr);
    CCategory* none = library.GetNextCategory(pos);
    EXPECT_EQ(none->GetUniqueID(), 1);
    EXPECT_EQ(none->GetName(), "<none>");
    EXPECT_EQ(pos, nullptr);
    EXPECT_FALSE(CLibrary(false, false).GetMediaTypes()->HaveSelection());
}

TEST_F(LibraryTest, NewItemsGetTheTypesDefaultsAndTheListIsSortedAgain)
{
    CLibrary library(false, true);
    library.SetDefaultLocation(U::MEDIA_BOOK, "Shelf A");
    library.SetDefaultDVDRegion(2);
    CCustomField* from = Field(library, U::MEDIA_BOOK, "From");
    from->SetInitialValue("Gift");
    CLibraryIDSettings* ids = library.GetLibraryIDFormatForID(U::MEDIA_BOOK);
    ids->SetAutoGenerate(true);
    ids->SetPrefix("B");
    ids->SetDigitCount(3);

    Add(library, U::MEDIA_BOOK, "Persuasion")->SetLibraryID("B012");
    Add(library, U::MEDIA_BOOK, "Emma")->SetLibraryID("B003");
    CMediaItem* book = Add(library, U::MEDIA_BOOK, "");
    EXPECT_EQ(book->GetLibraryID(), "B013");
    EXPECT_EQ(book->GetLocation(), "Shelf A");
    EXPECT_EQ(CustomValues(library, book, { "From" }), (Strings { "Gift" }));
    EXPECT_EQ(Titles(library, U::MEDIA_BOOK), (Strings { "", "Emma", "Persuasion" }));

    auto* dvd = static_cast<CDVD*>(library.CreateMediaItem(U::MEDIA_DVD, nullptr));
    EXPECT_EQ(dvd->GetRegion(), 2);

    // A copy takes the type's location when it names one, and keeps its own
    // region, values and else its location.
    book->SetLocation("Desk");
    EXPECT_EQ(library.CreateMediaItem(U::MEDIA_BOOK, book)->GetLocation(), "Shelf A");
    library.SetDefaultLocation(U::MEDIA_BOOK, "");
    CMapStringToString value;
    value.SetAt("From", "Bought");
    library.SetCustomFieldDataForItem(book, value, true);
    CMediaItem* copy = library.CreateMediaItem(U::MEDIA_BOOK, book);
    EXPECT_NE(copy, book);
    EXPECT_EQ(copy->GetLocation(), "Desk");
    EXPECT_EQ(CustomValues(library, copy, { "From" }), (Strings { "Bought" }));
    EXPECT_EQ(copy->GetLibraryID(), "B015");
    dvd->SetRegion(4);
    EXPECT_EQ(static_cast<CDVD*>(library.CreateMediaItem(U::MEDIA_DVD, dvd))->GetRegion(), 4);
}

TEST_F(LibraryTest, ImportedRowsAreNumberedAsNewItemsAre)
{
    CLibrary library(false, true);
    CLibraryIDSettings* ids = library.GetLibraryIDFormatForID(U::MEDIA_BOOK);
    ids->SetAutoGenerate(true);
    ids->SetPrefix("B");
    Add(library, U::MEDIA_BOOK, "Emma")->SetLibraryID("B5");
    auto row = [](const CString& title, const CString& id = CString()) {
        CMapStringToString values;
        values.SetAt(U::MEDIA_PROP_TITLE, title);
        if (!id.empty())
            values.SetAt(U::MEDIA_PROP_LIBRARYID, id);
        return values;
    };
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Persuasion"), false)->GetLibraryID(), "B6");
    // A row's own ID counts for the rows after it.
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Sanditon", "B20"), false)->GetLibraryID(), "B20");
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Lady Susan"), false)->GetLibraryID(), "B21");
    // A row whose ID differs from the item's is another item, even when
    // overwriting.
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Sanditon", "B7"), true)->GetLibraryID(), "B7");
    EXPECT_EQ(library.GetItemCount(U::MEDIA_BOOK), 5);
    // A row that gives an existing item without an ID its ID counts for the
    // rows after it.
    ids->SetAutoGenerate(false);
    library.Import(U::MEDIA_BOOK, row("Juvenilia"), false);
    ids->SetAutoGenerate(true);
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Juvenilia", "B40"), false)->GetLibraryID(), "B40");
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("Mansfield Park"), false)->GetLibraryID(), "B41");
    // An item made between imports is seen by the next row.
    CMediaItem* later = Add(library, U::MEDIA_BOOK, "Love and Freindship");
    later->SetLibraryID("B50");
    library.NoteItemChanged(later);
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row("The Watsons"), false)->GetLibraryID(), "B51");

    // Video tapes count per format.
    CLibraryIDSettings* svhs = library.GetLibraryIDFormatForID(U::MEDIA_VIDEOTAPESVHS);
    svhs->SetAutoGenerate(true);
    svhs->SetPrefix("S");
    CMapStringToString tape = row("Alien");
    tape.SetAt(U::MEDIA_PROP_TYPE, CVideoTape::GetTypeText(CVideoTape::typeSVHS));
    EXPECT_EQ(library.Import(U::MEDIA_VIDEOTAPE, tape, false)->GetLibraryID(), "S1");
    EXPECT_EQ(library.Import(U::MEDIA_VIDEOTAPE, row("Heat"), false)->GetLibraryID(), "");
    tape.SetAt(U::MEDIA_PROP_TITLE, "Aliens");
    EXPECT_EQ(library.Import(U::MEDIA_VIDEOTAPE, tape, false)->GetLibraryID(), "S2");
}

TEST_F(LibraryTest, VideoTapesAreMadeCountedAndNumberedPerFormat)
{
    CLibrary library(false, true);
    CLibraryIDSettings* svhs = library.GetLibraryIDFormatForID(U::MEDIA_VIDEOTAPESVHS);
    svhs->SetAutoGenerate(true);
    svhs->SetPrefix("S");
    library.SetDefaultLocation(U::MEDIA_VIDEOTAPESVHS, "Cabinet");
    auto* first = static_cast<CVideoTape*>(library.CreateMediaItem(U::MEDIA_VIDEOTAPESVHS, nullptr));
    auto* vhs = static_cast<CVideoTape*>(library.CreateMediaItem(U::MEDIA_VIDEOTAPE, nullptr));
    auto* second = static_cast<CVideoTape*>(library.CreateMediaItem(U::MEDIA_VIDEOTAPESVHS, nullptr));
    EXPECT_EQ(first->GetFormatID(), U::MEDIA_VIDEOTAPESVHS);
    EXPECT_EQ(first->GetLocation(), "Cabinet");
    EXPECT_EQ(first->GetLibraryID(), "S1");
    EXPECT_EQ(second->GetLibraryID(), "S2");
    EXPECT_EQ(vhs->GetLibraryID(), "");
    EXPECT_EQ(library.GetItemCount(U::MEDIA_VIDEOTAPE8MM), 3);
    EXPECT_EQ(library.GetTotalItemCount(U::MEDIA_VIDEOTAPESVHS), 2);

    // A tape moved to a numbered format takes its next number, and back.
    vhs->SetTapeType(CVideoTape::typeSVHS);
    EXPECT_TRUE(library.RefreshLibraryID(vhs));
    EXPECT_EQ(vhs->GetLibraryID(), "S3");
    vhs->SetTapeType(CVideoTape::typeVHS);
    EXPECT_TRUE(library.RefreshLibraryID(vhs));
    EXPECT_EQ(vhs->GetLibraryID(), "");

    svhs->SetRenumberAll(true);
    EXPECT_FALSE(library.UpdateLibraryIDFormat(svhs, U::MEDIA_VIDEOTAPE));
    library.RelocateMedia(U::MEDIA_VIDEOTAPEVHS, "Attic");
    EXPECT_EQ(vhs->GetLocation(), "Attic");
    EXPECT_EQ(first->GetLocation(), "Cabinet");
    library.DeleteItemsVT(U::MEDIA_VIDEOTAPESVHS);
    EXPECT_EQ(library.GetItemCount(U::MEDIA_VIDEOTAPE), 1);
}

TEST_F(LibraryTest, RenumberingByTitleKeepsTheSortOrderAndOtherTypes)
{
    CLibrary library(false, true);
    library.SetSortOrder(U::MEDIA_BOOK, U::MEDIA_PROP_YEAR, "", true);
    const char* titles[] = { "Cherry", "Apple", "Banana" };
    for (int i = 0; i < 3; ++i) {
        CMediaItem* book = Add(library, U::MEDIA_BOOK, titles[i]);
        book->SetYearPublished(2000 + i);
        book->SetLibraryID("old");
    }
    library.SetSortOrder(U::MEDIA_BOOK, U::MEDIA_PROP_YEAR, "", true);
    Add(library, U::MEDIA_CD, "Apple")->SetLibraryID("cd-7");

    CLibraryIDSettings* ids = library.GetLibraryIDFormatForID(U::MEDIA_BOOK);
    ids->SetPrefix("BK-");
    ids->SetDigitCount(4);
    ids->SetRenumberAll(true);
    ids->SetRenumberSortOrder(U::MEDIA_PROP_TITLE);
    EXPECT_TRUE(library.UpdateLibraryIDFormat(ids, U::MEDIA_BOOK));
    EXPECT_EQ(Titles(library, U::MEDIA_BOOK), (Strings { "Cherry", "Apple", "Banana" }));
    EXPECT_EQ(LibraryIDs(library, U::MEDIA_BOOK), (Strings { "BK-0003", "BK-0001", "BK-0002" }));
    EXPECT_EQ(LibraryIDs(library, U::MEDIA_CD), (Strings { "cd-7" }));
    EXPECT_FALSE(ids->GetRenumberAll());

    // Reformatting keeps the numbers; clearing first leaves nothing to keep.
    ids->SetPrefix("#");
    ids->SetDigitCount(1);
    ids->SetApplyChangesToAll(true);
    EXPECT_TRUE(library.UpdateLibraryIDFormat(ids, U::MEDIA_BOOK));
    EXPECT_EQ(LibraryIDs(library, U::MEDIA_BOOK), (Strings { "#3", "#1", "#2" }));
    ids->SetClearAll(true);
    ids->SetApplyChangesToAll(true);
    EXPECT_TRUE(library.UpdateLibraryIDFormat(ids, U::MEDIA_BOOK));
    EXPECT_EQ(LibraryIDs(library, U::MEDIA_BOOK), (Strings { "", "", "" }));
    EXPECT_FALSE(library.UpdateLibraryIDFormat(ids, U::MEDIA_BOOK));
    EXPECT_FALSE(library.UpdateLibraryIDFormat(nullptr, U::MEDIA_BOOK));

    library.RelocateMedia(U::MEDIA_BOOK, "Hall");
    POSITION pos = library.GetHeadItem(U::MEDIA_CD);
    EXPECT_EQ(library.GetNextItem(U::MEDIA_CD, pos)->GetLocation(), "");
}

TEST_F(LibraryTest, DeletingItemsReleasesTheirCategories)
{
    CLibrary library(false, true);
    const int rock = CategoryID(library, "Rock");
    CMediaItem* one = Add(library, U::MEDIA_CD, "One", rock);
    Add(library, U::MEDIA_CD, "Two", rock);
    Add(library, U::MEDIA_BOOK, "Three", rock);
    EXPECT_EQ(library.GetCategory(rock)->GetDepItems(), 3);
    library.DeleteItem(one);
    EXPECT_EQ(library.GetCategory(rock)->GetDepItems(), 2);
    library.DeleteItems(U::MEDIA_CD);
    EXPECT_EQ(library.GetCategory(rock)->GetDepItems(), 1);
    EXPECT_EQ(library.GetItemCount(U::MEDIA_CD), 0);
    EXPECT_EQ(library.GetItemCount(U::MEDIA_BOOK), 1);
    EXPECT_FALSE(library.GetHaveMediaType(U::MEDIA_CD));
}

TEST_F(LibraryTest, CategoriesAreEnteredInReportsAndTakenOutWithTheirItems)
{
    CLibrary library(false, true);
    auto* print = new CCustomPrintReport();
    library.AddCustomPrintReport(print);
    auto* web = new CCustomWebReport();
    library.AddCustomWebReport(web);
    const int jazz = CategoryID(library, "Jazz");
    const int blues = CategoryID(library, "Blues");
    EXPECT_TRUE(print->GetHaveCategory(jazz));
    EXPECT_TRUE(web->GetHaveCategory(blues));
    CCustomPrintReport* basic = library.GetCustomBasicReport(U::MEDIA_CD);
    EXPECT_FALSE(basic->GetHaveCategory(jazz));
    basic->AddCategory(jazz);

    CMediaItem* cd = Add(library, U::MEDIA_CD, "Kind of Blue", jazz);
    CMediaItem* other = Add(library, U::MEDIA_CD, "Blue Train", blues);
    CMediaItem* issue = Add(library, U::MEDIA_MAGAZINE, "Jazz Times", blues);
    CMediaSubItem* article = issue->CreateSubItem(nullptr);
    issue->AddSubItem(article);
    article->SetCategoryID(jazz);
    CMediaSubItem* track = cd->CreateSubItem(nullptr);
    cd->AddSubItem(track);

    library.DeleteCategory(library.GetCategory(jazz));
    EXPECT_EQ(library.GetCategory(jazz), nullptr);
    EXPECT_EQ(cd->GetCategoryID(), 1);
    EXPECT_EQ(article->GetCategoryID(), 1);
    EXPECT_EQ(track->GetCategoryID(), 0);
    EXPECT_EQ(other->GetCategoryID(), blues);
    EXPECT_EQ(issue->GetCategoryID(), blues);
    EXPECT_FALSE(print->GetHaveCategory(jazz));
    EXPECT_FALSE(web->GetHaveCategory(jazz));
    EXPECT_FALSE(basic->GetHaveCategory(jazz));
    EXPECT_TRUE(print->GetHaveCategory(blues));
}

TEST_F(LibraryTest, ReportsLoseIdsOfCategoriesThatAreGoneWhenLoaded)
{
    std::string bytes;
    int kept = 0;
    int gone = 0;
    {
        CLibrary library(false, true);
        kept = CategoryID(library, "Kept");
        gone = CategoryID(library, "Gone");
        auto* report = new CCustomPrintReport();
        report->SetName("Everything");
        library.AddCustomPrintReport(report);
        report->AddCategory(kept);
        report->AddCategory(gone);
        report->AddNewCategory(gone);
        CCategoryMgr::GetInstance()->Remove(library.GetCategory(gone));
        bytes = Bytes(library);
    }
    CLibrary reread(false, true);
    Load(reread, bytes);
    CCustomPrintReport* report = reread.GetCustomPrintReportAt(0);
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->GetHaveCategory(kept));
    EXPECT_FALSE(report->GetHaveCategory(gone));
    EXPECT_EQ(report->GetCategoryNewCount(), 0);
}

TEST_F(LibraryTest, CustomValuesStayWithTheirFieldsWhenFieldsAreDeletedOrSwapped)
{
    CLibrary library(false, true);
    CCustomField* a = Field(library, U::MEDIA_MAGAZINE, "A");
    CCustomField* b = Field(library, U::MEDIA_MAGAZINE, "B");
    CCustomField* c = Field(library, U::MEDIA_MAGAZINE, "C", CF_TRUEFALSE);
    CMediaItem* issue = Add(library, U::MEDIA_MAGAZINE, "Issue");
    CMediaSubItem* article = issue->CreateSubItem(nullptr);
    issue->AddSubItem(article);
    CMapStringToString values;
    values.SetAt("A", "a");
    values.SetAt("B", "b");
    values.SetAt("C", "yes");
    library.SetCustomFieldDataForItem(issue, values, true);
    values.SetAt("A", "article a");
    library.SetCustomFieldDataForItem(article, values, true);

    EXPECT_TRUE(library.SwapCustomFields(U::MEDIA_MAGAZINE, a, c));
    EXPECT_EQ(CustomValues(library, issue, { "A", "B", "C" }), (Strings { "a", "b", "Y" }));
    EXPECT_EQ(library.GetCustomFieldMgr(U::MEDIA_MAGAZINE)->GetFieldAt(0), c);
    EXPECT_TRUE(library.DeleteCustomField(U::MEDIA_MAGAZINE, b));
    EXPECT_EQ(CustomValues(library, issue, { "A", "B", "C" }), (Strings { "a", "-", "Y" }));
    EXPECT_EQ(CustomValues(library, article, { "A", "C" }), (Strings { "article a", "Y" }));
    EXPECT_EQ(issue->GetCustomValues()->GetValueCount(), 2);
    EXPECT_FALSE(library.DeleteCustomField(U::MEDIA_MAGAZINE, b));
    EXPECT_FALSE(library.SwapCustomFields(U::MEDIA_BOOK, a, c));
}

TEST_F(LibraryTest, CustomValuesFromInitialValuesAndMaps)
{
    CLibrary library(false, true);
    Field(library, U::MEDIA_CD, "Note")->SetInitialValue("new");
    Field(library, U::MEDIA_CD, "Signed", CF_TRUEFALSE)->SetInitialValueBooleanOn(true);
    Field(library, U::MEDIA_CD, "Seen", CF_DATE)->SetInitialValueDateToday(true);
    Field(library, U::MEDIA_CD, "Free");
    CMediaItem* cd = Add(library, U::MEDIA_CD, "Album");
    const Strings fresh = CustomValues(library, cd, { "Note", "Signed", "Seen", "Free" });
    EXPECT_EQ(fresh[0], "new");
    EXPECT_EQ(fresh[1], "Y");
    EXPECT_EQ(fresh[2].size(), 10u);
    EXPECT_EQ(fresh[3], "-");

    CMapStringToString values;
    values.SetAt("Note", "mine");
    values.SetAt("Free", "kept");
    values.SetAt("Signed", "no");
    library.SetCustomFieldDataForItem(cd, values, true);
    library.SetDefaultCustomValues(cd);
    EXPECT_EQ(CustomValues(library, cd, { "Note", "Signed", "Free" }), (Strings { "new", "Y", "kept" }));

    // A track has no values of its own: it sets and shows its CD's.
    CMediaSubItem* track = cd->CreateSubItem(nullptr);
    cd->AddSubItem(track);
    values.RemoveAll();
    values.SetAt("Free", "from the track");
    library.SetCustomFieldDataForItem(track, values, true);
    EXPECT_EQ(CustomValues(library, cd, { "Free" }), (Strings { "from the track" }));
    CMapStringToString none;
    library.GatherCustomFieldDataForItem(cd, none);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(LibraryTest, LentItemsAreListedByPersonAndCounted)
{
    CLibrary library(false, true);
    CPersonMgr* persons = CPersonMgr::GetInstance();
    auto* zed = new CPerson("Zed", "", "Adams");
    auto* amy = new CPerson("Amy", "", "Baker");
    ASSERT_TRUE(persons->Add(zed));
    ASSERT_TRUE(persons->Add(amy));
    CMediaItem* a = Add(library, U::MEDIA_CD, "A");
    CMediaItem* b = Add(library, U::MEDIA_BOOK, "B");
    CMediaItem* c = Add(library, U::MEDIA_CD, "C");
    CMediaItem* d = Add(library, U::MEDIA_DVD, "D");
    Add(library, U::MEDIA_DVD, "E");
    a->SetPrice(10.5);
    c->SetPrice(2.25);
    Loan(a, amy->GetUniqueID(), false);
    Loan(b, 999, false);
    Loan(c, zed->GetUniqueID(), false);
    Loan(d, amy->GetUniqueID(), true);

    CMediaItemList out;
    library.GetCheckedOutItems(out);
    Strings order;
    for (const CMediaItem* item : out)
        order.push_back(item->GetTitle());
    EXPECT_EQ(order, (Strings { "C", "A", "B" }));
    CMediaItemList reserved;
    library.GetReservedItems(reserved);
    ASSERT_EQ(reserved.GetCount(), 1);
    EXPECT_EQ(reserved.GetHead(), d);

    EXPECT_EQ(library.GetTotalItemCount(U::MEDIA_CD), 2);
    EXPECT_EQ(library.GetCheckedoutItemCount(U::MEDIA_CD), 2);
    EXPECT_EQ(library.GetReservedItemCount(U::MEDIA_DVD), 1);
    EXPECT_EQ(library.GetCheckedoutItemCount(U::MEDIA_DVD), 0);
    EXPECT_DOUBLE_EQ(library.GetTotalValue(U::MEDIA_CD), 12.75);
    EXPECT_EQ(library.GetTotalItemCount(0), 0);
    EXPECT_EQ(library.GetReservedItemCount(25), 0);

    // Checked out on the second Tuesday of August, due the second Tuesday
    // of September.
    CCheckoutSettings* settings = library.GetCheckoutSettings();
    settings->SetDuration(1);
    settings->SetDurationType(coMonths);
    const COleDateTime due = settings->GetEndDate(COleDateTime(2024, 8, 13, 15, 30, 0));
    EXPECT_EQ(due, COleDateTime(2024, 9, 10, 15, 30, 0));
}

TEST_F(LibraryTest, ValueListsAreMadeFromTheItems)
{
    std::string bytes;
    {
        CLibrary library(false, true);
        auto* cd = static_cast<CCD*>(Add(library, U::MEDIA_CD, "One"));
        cd->SetArtist("Nina");
        cd->SetLocation("Rack");
        static_cast<CCD*>(Add(library, U::MEDIA_CD, "Two"))->SetArtist("Nina");
        static_cast<CBook*>(Add(library, U::MEDIA_BOOK, "Three"))->SetAuthor("Ada");
        library.RefreshArtistsList();
        EXPECT_EQ(library.GetArtists().GetCount(), 1);
        EXPECT_TRUE(library.GetAuthors().IsEmpty());
        bytes = Bytes(library);
    }
    CLibrary reread(false, true);
    Load(reread, bytes);
    EXPECT_EQ(reread.GetArtists().GetHead(), "Nina");
    EXPECT_EQ(reread.GetAuthors().GetHead(), "Ada");
    EXPECT_EQ(reread.GetLocations().GetHead(), "Rack");
    CStringList composers, arrangers, wordsBy, musicBy, instrumentation;
    composers.AddTail("stale");
    reread.GetSheetMusicLists(composers, arrangers, wordsBy, musicBy, instrumentation);
    EXPECT_TRUE(composers.IsEmpty());
}

TEST_F(LibraryTest, TypeVocabularyAndAudioFormats)
{
    CLibrary library(false, true);
    CMediaTypeSelection books;
    books.SetShow(U::MEDIA_BOOK, true);
    books.SetShow(U::MEDIA_CD, true);
    CStringList props;
    library.GetMediaTypeDataProps(books, props);
    for (const CString& prop : { U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_TRACKTITLE,
             U::MEDIA_PROP_CHAPTERTITLE, U::MEDIA_PROP_TITLE })
        EXPECT_NE(props.Find(prop), nullptr) << prop;
    EXPECT_EQ(props.Find(U::MEDIA_PROP_LEADACTOR), nullptr);
    CStringList unique = props;
    CStringUtils::RemoveDuplicates(unique);
    EXPECT_EQ(unique.GetCount(), props.GetCount());

    bool mono, stereo, sacd, hdcd, thx, quad, dolby, dts, channels;
    library.GetSupportedAudioFormats(U::MEDIA_BOOK, mono, stereo, sacd, hdcd, thx, quad, dolby, dts, channels);
    EXPECT_FALSE(mono || stereo || sacd || hdcd || thx || quad || dolby || dts || channels);
    library.GetSupportedAudioFormats(U::MEDIA_VIDEOTAPEVHS, mono, stereo, sacd, hdcd, thx, quad, dolby, dts, channels);
    EXPECT_TRUE(stereo && dolby && channels);
    EXPECT_FALSE(sacd);
}

TEST_F(LibraryTest, PreparedReportsTakeTheTypesColumnsAndStopWithoutItems)
{
    CLibrary library(false, true);
    library.SetName("Home");
    const int jazz = CategoryID(library, "Jazz");
    auto* report = new CCustomPrintReport();
    report->SetName("Shelves");
    report->GetMediaIDs().SetShow(U::MEDIA_BOOK, true);
    report->GetMediaIDs().SetShow(U::MEDIA_CD, true);
    library.PrepCustomPrintReport(report, true, true, false, true);
    EXPECT_EQ(report->GetName(), "Home Shelves");
    EXPECT_TRUE(report->GetHaveCategory(jazz));
    Strings columns;
    for (int i = 0; i < report->GetColumnCount(); ++i)
        columns.push_back(report->GetColumnAt(i));
    EXPECT_EQ(
        columns, (Strings { "Media", "Title", "Author", "Category", "Publisher", "Year", "Library ID", "Artist" }));
    EXPECT_EQ(report->GetRunErrorMsg(), "There is no data to show for this report.");
    EXPECT_EQ(report->GetColumnAt(-1), "");
    delete report;

    CMediaItem* book = Add(library, U::MEDIA_BOOK, "Dune");
    Field(library, U::MEDIA_BOOK, "Shelf");
    CMapStringToString value;
    value.SetAt("Shelf", "3");
    library.SetCustomFieldDataForItem(book, value, true);
    CCustomPrintReport columnsOnly;
    columnsOnly.AddColumn("Title");
    columnsOnly.AddColumn("Shelf");
    CMapStringToString row;
    row.SetAt("stale", "x");
    library.GatherCustomPrintReportData(&columnsOnly, book, row);
    EXPECT_EQ(row.GetCount(), 2);
    EXPECT_EQ(row["Title"], "Dune");
    EXPECT_EQ(row["Shelf"], "3");
}

TEST_F(LibraryTest, ReportArraysStaySortedByName)
{
    CLibrary library(false, true);
    for (const char* name : { "zeta", "Alpha", "beta" }) {
        auto* report = new CCustomPrintReport();
        report->SetName(name);
        library.AddCustomPrintReport(report);
    }
    ASSERT_EQ(library.GetCustomPrintReportCount(), 3);
    EXPECT_EQ(library.GetCustomPrintReportAt(0)->GetName(), "Alpha");
    EXPECT_EQ(library.GetCustomPrintReportAt(2)->GetName(), "zeta");
    EXPECT_EQ(library.GetCustomPrintReportAt(3), nullptr);
    library.DeleteCustomPrintReport(library.GetCustomPrintReportAt(1));
    EXPECT_EQ(library.GetCustomPrintReportAt(1)->GetName(), "zeta");

    library.AddDefaultCustomWebReports("/data/Templates", "/data/WebReports/");
    ASSERT_EQ(library.GetCustomWebReportCount(), 29);
    for (int i = 1; i < 29; ++i)
        EXPECT_LE(CStringUtils::CompareNoCase(
                      library.GetCustomWebReportAt(i - 1)->GetName(), library.GetCustomWebReportAt(i)->GetName()),
            0);
    CCustomWebReport* books = nullptr;
    for (int i = 0; i < 29; ++i)
        if (library.GetCustomWebReportAt(i)->GetName() == "Books")
            books = library.GetCustomWebReportAt(i);
    ASSERT_NE(books, nullptr);
    EXPECT_EQ(books->GetHomePage(), "/data/WebReports/Books.htm");
    EXPECT_EQ(books->GetPageLevelCount(), 2);
    EXPECT_EQ(books->GetTemplateFile(1), "/data/Templates/Books.htm");
    EXPECT_EQ(books->GetSortProp2(1), "Series Number");
    EXPECT_TRUE(books->GetHaveCategory(1));
    library.RunCustomWebReport(books, {});
    EXPECT_EQ(
        books->GetRunErrorMsg(), "Unable to generate web report, because there is no data to show for this report.");
}

// List texts tell items apart: a repeated text gets the next free number,
// and a list without repeats is left as the items describe themselves.
TEST_F(LibraryTest, ListTextsAreNumberedOnlyWhereTheyRepeat)
{
    CLibrary library(false, true);
    for (const char* title : { "Emma", "Persuasion", "Emma", "Emma" })
        Add(library, U::MEDIA_BOOK, title);
    CStringArray texts;
    library.GetItemListTexts(U::MEDIA_BOOK, texts);
    ASSERT_EQ(texts.GetSize(), 4);
    const CString emma = texts[0];
    EXPECT_EQ(Strings(texts.begin(), texts.end()), (Strings { emma, emma + " (2)", emma + " (3)", texts[3] }));
    EXPECT_EQ(texts[3].find(" ("), CString::npos);

    CLibrary distinct(false, true);
    for (const char* title : { "Emma", "Persuasion" })
        Add(distinct, U::MEDIA_BOOK, title);
    distinct.GetItemListTexts(U::MEDIA_BOOK, texts);
    EXPECT_EQ(texts.GetSize(), 2);
    EXPECT_NE(texts[0], texts[1]);
    EXPECT_EQ(texts[0].find(" ("), CString::npos);
}
