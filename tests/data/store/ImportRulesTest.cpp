#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LibraryFixture.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/Magazine.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/ImportJob.h"
#include "data/store/ImportValueReader.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "support/ItemTexts.h"

namespace {

using U = CMediaUtils;
using Strings = std::vector<std::string>;

CMapStringToString Row(std::initializer_list<std::pair<const char*, const char*>> cells)
{
    CMapStringToString values;
    for (const auto& [prop, text] : cells)
        values.SetAt(prop, text);
    return values;
}

std::unique_ptr<CImportJob> Job(CLibrary& library, const std::string& text, int type, char delimiter = ',')
{
    auto job = std::make_unique<CImportJob>(library, type);
    CString error;
    EXPECT_TRUE(job->ReadBytes(text, delimiter, error)) << error;
    return job;
}

// Library IDs whose prefix or postfix holds digits read back to their own
// number on every path that numbers items.
enum class Numbering { create, applyToAll, import };

struct NumberingCase {
    const char* prefix;
    const char* postfix;
    int digits;
    Strings before; // IDs of the items there, formatted without padding change
    Numbering action;
    Strings after;
};

class LibraryIDNumbering : public LibraryTest, public ::testing::WithParamInterface<NumberingCase> { };

TEST_P(LibraryIDNumbering, ReadsTheNumberBetweenPrefixAndPostfix)
{
    const NumberingCase& c = GetParam();
    CLibrary library(false, true);
    CLibraryIDSettings* ids = library.GetLibraryIDFormatForID(U::MEDIA_BOOK);
    ids->SetPrefix(c.prefix);
    ids->SetPostfix(c.postfix);
    int title = 0;
    for (const std::string& id : c.before) {
        CMediaItem* item = library.CreateMediaItem(U::MEDIA_BOOK, nullptr);
        item->SetTitle("Book " + std::to_string(++title));
        item->SetLibraryID(id);
    }
    ids->SetDigitCount(c.digits);
    ids->SetAutoGenerate(c.action != Numbering::applyToAll);
    switch (c.action) {
    case Numbering::create:
        library.CreateMediaItem(U::MEDIA_BOOK, nullptr)->SetTitle("Book " + std::to_string(++title));
        library.CreateMediaItem(U::MEDIA_BOOK, nullptr)->SetTitle("Book " + std::to_string(++title));
        break;
    case Numbering::applyToAll:
        ids->SetApplyChangesToAll(true);
        EXPECT_TRUE(library.UpdateLibraryIDFormat(ids, U::MEDIA_BOOK));
        break;
    case Numbering::import:
        library.Import(U::MEDIA_BOOK, Row({ { "Title", "Imported 1" } }), false);
        library.Import(U::MEDIA_BOOK, Row({ { "Title", "Imported 2" } }), false);
        break;
    }
    Strings found = LibraryIDs(library, U::MEDIA_BOOK);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, c.after);
}

INSTANTIATE_TEST_SUITE_P(Table, LibraryIDNumbering,
    ::testing::Values(NumberingCase { "R2-", "", 4, { "R2-001", "R2-002", "R2-003" }, Numbering::applyToAll,
                          { "R2-0001", "R2-0002", "R2-0003" } },
        NumberingCase { "2024-", "", 3, { "2024-001" }, Numbering::create, { "2024-001", "2024-002", "2024-003" } },
        NumberingCase { "2024-", "", 3, { "2024-007" }, Numbering::import, { "2024-007", "2024-008", "2024-009" } },
        NumberingCase { "", "/v2", 2, { "07/v2" }, Numbering::create, { "07/v2", "08/v2", "09/v2" } },
        NumberingCase { "A1-", "-B2", 1, { "A1-5-B2", "A1-12-B2" }, Numbering::applyToAll, { "A1-12-B2", "A1-5-B2" } },
        // An ID without the prefix is read whole, as before.
        NumberingCase { "R2-", "", 1, { "17" }, Numbering::import, { "17", "R2-18", "R2-19" } }));

// The duplicate rule of imports: a row without a library ID matches on the
// other key fields; two IDs that differ never match.
struct DuplicateCase {
    int type;
    const char* itemID;
    const char* rowID;
    bool autoGenerate;
    int itemsAfter;
};

class ImportDuplicates : public LibraryTest, public ::testing::WithParamInterface<DuplicateCase> { };

TEST_P(ImportDuplicates, MatchOnIDsOnlyWhenBothHaveOne)
{
    const DuplicateCase& c = GetParam();
    CLibrary library(false, true);
    library.GetLibraryIDFormatForID(c.type)->SetAutoGenerate(c.autoGenerate);
    CMapStringToString first = Row({ { "Title", "Blue" }, { "Artist", "Joni" }, { "Year", "1971" } });
    if (*c.itemID)
        first.SetAt(U::MEDIA_PROP_LIBRARYID, c.itemID);
    CMediaItem* item = library.Import(c.type, first, false);
    CMapStringToString second = Row({ { "Title", "BLUE" }, { "Artist", "joni" }, { "Year", "1983" } });
    if (*c.rowID)
        second.SetAt(U::MEDIA_PROP_LIBRARYID, c.rowID);
    CMediaItem* again = library.Import(c.type, second, false);
    EXPECT_EQ(library.GetItemCount(c.type), c.itemsAfter);
    // A merge fills only what is missing; a second item keeps its own year.
    EXPECT_EQ(item->GetYearPublished(), 1971);
    EXPECT_EQ(again->GetYearPublished(), c.itemsAfter == 1 ? 1971 : 1983);
}

INSTANTIATE_TEST_SUITE_P(Table, ImportDuplicates,
    ::testing::Values(
        // Recordable media numbered by the first import.
        DuplicateCase { U::MEDIA_CDREC, "", "", true, 1 }, DuplicateCase { U::MEDIA_DVDREC, "", "", true, 1 },
        DuplicateCase { U::MEDIA_MINIDISC, "", "", true, 1 }, DuplicateCase { U::MEDIA_CDREC, "7", "", false, 1 },
        DuplicateCase { U::MEDIA_CDREC, "", "7", false, 1 }, DuplicateCase { U::MEDIA_CDREC, "7", "8", false, 2 },
        DuplicateCase { U::MEDIA_CDREC, "a7", "A7", false, 1 },
        // Two pressings of one album, told apart by their IDs.
        DuplicateCase { U::MEDIA_RECORDALBUM, "r-101", "r-202", false, 2 },
        DuplicateCase { U::MEDIA_RECORDALBUM, "r-101", "", false, 1 },
        DuplicateCase { U::MEDIA_RECORDALBUM, "", "", true, 1 }, DuplicateCase { U::MEDIA_CD, "1", "2", false, 2 }));

// The duplicate look-up of a large type: every row finds its item among
// thousands, and of two equal items the first in list order takes the row.
TEST_F(LibraryTest, RowsFindTheirItemAmongManyAndTheFirstOfEqualItems)
{
    CLibrary library(false, true);
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        library.Import(U::MEDIA_BOOK, Row({ { "Title", ("Book " + std::to_string(i)).c_str() } }), false);
    CMediaItem* first = library.Import(U::MEDIA_BOOK, Row({ { "Title", "Twin" }, { "Library ID", "T2" } }), false);
    CMediaItem* second = library.Import(U::MEDIA_BOOK, Row({ { "Title", "Twin" }, { "Library ID", "T1" } }), false);
    ASSERT_NE(first, second);
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, Row({ { "Title", "TWIN" }, { "Year", "1990" } }), false), first);
    for (int i = 0; i < count; i += 7) {
        const CString title = "BOOK " + std::to_string(i);
        CMediaItem* item
            = library.Import(U::MEDIA_BOOK, Row({ { "Title", title.c_str() }, { "Year", "1984" } }), false);
        ASSERT_EQ(item->GetTitle(), "Book " + std::to_string(i));
        EXPECT_EQ(item->GetYearPublished(), 1984);
    }
    EXPECT_EQ(library.GetItemCount(U::MEDIA_BOOK), count + 2);
    // Sorted (by library ID, T1 first) the index is built again in list order.
    library.GetImpl()->GetMediaMgr(U::MEDIA_BOOK)->SetSortOrder(U::MEDIA_PROP_LIBRARYID, CString(), true);
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, Row({ { "Title", "twin" }, { "Pages", "12" } }), false), second);
}

TEST_F(LibraryTest, CategoriesMadeByAnyPathAreEnteredIntoEveryReport)
{
    CLibrary library(false, true);
    library.AddDefaultCustomWebReports("/templates", "/out");
    auto* print = new CCustomPrintReport();
    print->SetName("All");
    library.AddCustomPrintReport(print);
    ASSERT_GT(library.GetCustomWebReportCount(), 0);

    CMediaItem* cd = library.Import(U::MEDIA_CD, Row({ { "Title", "Blue" }, { "Category", "Folk" } }), false);
    const int folk = cd->GetCategoryID();
    const int jazz = CCategoryMgr::GetInstance()->GetCategory("Jazz", true)->GetUniqueID();
    auto* added = new CCategory("Blues");
    library.AddCategory(added);
    for (int id : { folk, jazz, added->GetUniqueID() }) {
        for (int i = 0; i < library.GetCustomWebReportCount(); ++i)
            EXPECT_TRUE(library.GetCustomWebReportAt(i)->GetHaveCategory(id)) << i << " " << id;
        EXPECT_TRUE(print->GetHaveCategory(id)) << id;
    }
    // Reading a library makes no category anew.
    const std::string bytes = Bytes(library);
    CLibrary other(false, false);
    Load(other, bytes);
    EXPECT_EQ(Bytes(other), bytes);
}

TEST_F(LibraryTest, MagazineColumnsAreKeptWithTheTitleOrRefused)
{
    CLibrary library(false, true);
    auto job = Job(library,
        "Magazine,Issue,Subscription?,Subscription Cost,Subscription Number,Subscription Exp. Date,Publisher,Author\n"
        "Boats,May 2004,Yes,\"24,50\",S-1,2025-12,Harbour Press,Ann Lee\n",
        U::MEDIA_MAGAZINE);
    EXPECT_TRUE(job->HasHeader());
    EXPECT_EQ(job->GetColumnProperty(7), CDelimitedTextReader::IGNORE_COLUMN);
    ASSERT_EQ(job->GetColumnNotes().GetSize(), 1);
    EXPECT_NE(job->GetColumnNotes().GetAt(0).find("Column 8 is not imported: \"Author\" belongs to"), CString::npos);
    for (const char* prop : { "Author", "SubTitle", "Series Number", "Page", "Publisher Address", "Articles" }) {
        EXPECT_FALSE(job->SetColumnProperty(7, prop)) << prop;
        EXPECT_FALSE(job->GetRefusal(prop).empty()) << prop;
    }
    EXPECT_EQ(job->GetRefusal("Subscription Cost"), "");
    ASSERT_TRUE(job->Run(false).Succeeded());

    POSITION pos = library.GetHeadItem(U::MEDIA_MAGAZINE);
    const CMagazine* title = static_cast<CMagazineIssue*>(library.GetNextItem(U::MEDIA_MAGAZINE, pos))->GetMagazine();
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->GetSubscription());
    EXPECT_DOUBLE_EQ(title->GetSubscriptionCost(), 24.5);
    EXPECT_EQ(title->GetSubscriptionNumber(), "S-1");
    EXPECT_EQ(title->GetSubscriptionExp(), "2025-12");
    EXPECT_GT(title->GetPublisherID(), 0);
}

// Cells as an import reads them for a property.
struct CellCase {
    const char* prop;
    const char* cell;
    const char* text; // what the item is given, or null when unreadable
};

class ImportCells : public ::testing::TestWithParam<CellCase> { };

TEST_P(ImportCells, AreReadOrReported)
{
    const CellCase& c = GetParam();
    const CImportValueReader::CValue value = CImportValueReader::Read(c.prop, c.cell);
    if (c.text) {
        EXPECT_EQ(value.problem, "");
        EXPECT_EQ(value.text, c.text);
    } else {
        EXPECT_NE(value.problem.find(CString("\"") + c.cell + "\""), CString::npos) << value.problem;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ImportCells,
    ::testing::Values(CellCase { "Price", "12,50", "12.50" }, CellCase { "Price", "1,250", "1250" },
        CellCase { "Price", "$1,250.75", "1250.75" }, CellCase { "Price", "9,5 €", "9.5" },
        CellCase { "Price", "free", nullptr }, CellCase { "Pages", "abc", nullptr },
        CellCase { "Pages", "1,250", "1250" }, CellCase { "Year", "MMV", nullptr },
        CellCase { "Year", "c. 1984", "c. 1984" }, CellCase { "Acquired", "31/12/2019", nullptr },
        CellCase { "Acquired", "2 March 2019", nullptr }, CellCase { "Acquired", "2019-02-30", nullptr },
        CellCase { "Acquired", "2019-02-28", "2019-02-28" }, CellCase { "ISBN", "=\"0441013597\"", "0441013597" },
        CellCase { "Title", " =\"007\" ", "007" }, CellCase { "Title", "=SUM(A1)", "=SUM(A1)" },
        CellCase { "Hardcover?", "Hardcover", "Y" }, CellCase { "Hardcover?", "paperback", "N" },
        CellCase { "Hardcover?", "True", "Y" }, CellCase { "Widescreen", "no", "N" },
        CellCase { "Widescreen", "0", "N" }, CellCase { "Widescreen", "1", "Y" },
        CellCase { "Widescreen", "Hardcover", nullptr }, CellCase { "Widescreen", "maybe", nullptr },
        CellCase { "My Field", "=\"x\"", "x" }));

TEST_F(LibraryTest, UnreadableCellsAreReportedByRowAndColumnAlsoInADryRun)
{
    CLibrary library(false, true);
    const std::string text = "Title;Pages;Acquired;Price;ISBN;Hardcover?\n"
                             "Dune;abc;31/12/2019;12,50;=\"0441013597\";Paperback\n"
                             "Emma;412;2019-02-28;1,250;;Hardcover\n";
    for (bool dryRun : { true, false }) {
        auto job = Job(library, text, U::MEDIA_BOOK, ';');
        const CImportOutcome outcome = job->Run(dryRun);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.error;
        EXPECT_EQ(outcome.created, 2);
        ASSERT_EQ(outcome.unread.size(), 2u);
        EXPECT_EQ(outcome.unread[0].rowNumber, 2);
        EXPECT_EQ(outcome.unread[0].column, 2);
        EXPECT_EQ(outcome.unread[0].property, "Pages");
        EXPECT_EQ(outcome.unread[1].column, 3);
        EXPECT_NE(outcome.unread[1].problem.find("\"31/12/2019\" is not a date"), CString::npos);
        EXPECT_EQ(library.GetItemCount(U::MEDIA_BOOK), dryRun ? 0 : 2);
    }
    POSITION pos = library.GetHeadItem(U::MEDIA_BOOK);
    CMapStringToString data = Row({ { "Title", "" }, { "Price", "" }, { "ISBN", "" }, { "Hardcover?", "" } });
    library.GetNextItem(U::MEDIA_BOOK, pos)->GetData(data);
    EXPECT_EQ(data["Title"], "Dune");
    EXPECT_EQ(data["Price"], "12.50");
    EXPECT_EQ(data["ISBN"], "0441013597");
    EXPECT_EQ(data["Hardcover?"], "N");
}

TEST_F(LibraryTest, HeadingsThatNameNothingBecomeFieldsAndRowsGoToTheirType)
{
    CLibrary library(false, true);
    const std::string text = "Artist,Title,Format,Condition,Title\n"
                             "Joni,Blue,Vinyl,VG+,x\n"
                             "Joni,Hejira,CD,M,y\n"
                             "Joni,Court,8-track,G,z\n";
    auto job = Job(library, text, U::MEDIA_RECORDALBUM);
    EXPECT_FALSE(job->HasHeader());
    job->TreatFirstRowAsHeader();
    EXPECT_TRUE(job->HasHeader());
    EXPECT_EQ(job->GetColumnProperty(0), "Artist");
    EXPECT_EQ(job->GetColumnProperty(4), CDelimitedTextReader::IGNORE_COLUMN);
    CStringArray made;
    job->AddFieldsForIgnoredColumns(made);
    EXPECT_EQ(made, (CStringArray { "Format", "Condition" }));
    EXPECT_EQ(job->GetColumnProperty(3), "Condition");
    // A repeated heading names an existing property: no field of that name.
    EXPECT_EQ(job->GetColumnProperty(4), CDelimitedTextReader::IGNORE_COLUMN);
    // A second job finds the fields made by the first.
    auto cds = Job(library, text, U::MEDIA_RECORDALBUM);
    cds->TreatFirstRowAsHeader();
    CStringArray none;
    cds->AddFieldsForIgnoredColumns(none);
    EXPECT_TRUE(none.IsEmpty());

    CMapStringToString types;
    types.SetAt("vinyl", std::to_string(U::MEDIA_RECORDALBUM));
    types.SetAt("cd", std::to_string(U::MEDIA_CD));
    job->ChooseRowsByType(2, types);
    EXPECT_FALSE(job->GetRow(0).chosen);
    EXPECT_TRUE(job->GetRow(1).chosen);
    EXPECT_FALSE(job->GetRow(2).chosen);
    EXPECT_FALSE(job->GetRow(3).chosen);
    const CImportOutcome outcome = job->Run(false);
    EXPECT_EQ(outcome.created, 1);
    EXPECT_EQ(outcome.skipped.size(), 2u);
}

} // namespace
