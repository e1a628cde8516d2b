#include <gtest/gtest.h>
#include <set>

#include "LibraryFixture.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/DVD.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/ItemSort.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/MediaTypeSelection.h"
#include "support/ItemTexts.h"

namespace {

using U = CMediaUtils;

CMediaItem* Add(CLibrary& library, int type, std::initializer_list<std::pair<CString, CString>> values)
{
    CMediaItem* item = library.CreateMediaItem(type, nullptr);
    CMapStringToString data;
    for (const auto& [key, value] : values)
        data.SetAt(key, value);
    item->SetData(data, true);
    library.NoteItemChanged(item);
    return item;
}

CMediaSubItem* AddSub(CLibrary& library, CMediaItem* item, std::initializer_list<std::pair<CString, CString>> values)
{
    CMediaSubItem* sub = item->CreateSubItem(nullptr);
    item->AddSubItem(sub);
    CMapStringToString data;
    for (const auto& [key, value] : values)
        data.SetAt(key, value);
    sub->SetData(data, true);
    library.NoteItemChanged(item);
    return sub;
}

// A name for each result: the title of a medium, "> " and the own title of a
// sub-item.
std::vector<std::string> Names(const CItemList& items)
{
    std::vector<std::string> names;
    for (const CItem* item : items) {
        CMapStringToString data;
        for (const CString& key : { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_TRACKTITLE, U::MEDIA_PROP_CHAPTERTITLE })
            data.SetAt(key, CString());
        item->GetData(data);
        if (dynamic_cast<const CMediaSubItem*>(item)) {
            const CString own = !data[U::MEDIA_PROP_TRACKTITLE].empty() ? data[U::MEDIA_PROP_TRACKTITLE]
                : !data[U::MEDIA_PROP_CHAPTERTITLE].empty()             ? data[U::MEDIA_PROP_CHAPTERTITLE]
                                                                        : data[U::MEDIA_PROP_TITLE];
            names.push_back("> " + own);
        } else {
            names.push_back(data[U::MEDIA_PROP_TITLE]);
        }
    }
    return names;
}

CMediaTypeSelection All()
{
    CMediaTypeSelection all;
    all.SetShowAll(true);
    return all;
}

} // namespace

// A small library: a book with chapters, a CD with tracks, a DVD and a
// magazine issue with an article.
class SearchTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        m_library = std::make_unique<CLibrary>(true, true);
        auto* field = new CCustomField();
        field->SetName("Note");
        m_library->GetCustomFieldMgr(U::MEDIA_BOOK)->Add(field);
        CMediaItem* book = Add(*m_library, U::MEDIA_BOOK,
            { { U::MEDIA_PROP_TITLE, "The Silent River" }, { U::MEDIA_PROP_AUTHOR, "Jörg Müller" } });
        AddSub(*m_library, book, { { U::MEDIA_PROP_CHAPTERTITLE, "Harbor Lights" } });
        CMapStringToString note;
        note.SetAt("Note", "Signed by the author");
        m_library->SetCustomFieldDataForItem(book, note, true);
        CMediaItem* cd = Add(*m_library, U::MEDIA_CD,
            { { U::MEDIA_PROP_TITLE, "Harbor Songs" }, { U::MEDIA_PROP_ARTIST, "Anna Larsen" } });
        AddSub(*m_library, cd, { { U::MEDIA_PROP_TRACKTITLE, "Silent Night" } });
        AddSub(*m_library, cd, { { U::MEDIA_PROP_TRACKTITLE, "River Run" } });
        Add(*m_library, U::MEDIA_DVD, { { U::MEDIA_PROP_TITLE, "river deep" } });
        CMediaItem* issue = Add(*m_library, U::MEDIA_MAGAZINE,
            { { U::MEDIA_PROP_MAGAZINE, "Boats" }, { U::MEDIA_PROP_TITLE, "Spring Issue" } });
        AddSub(
            *m_library, issue, { { U::MEDIA_PROP_TITLE, "Rivers of Europe" }, { U::MEDIA_PROP_AUTHOR, "ANN MÜLLER" } });
    }
    void TearDown() override
    {
        m_library.reset();
        LibraryTest::TearDown();
    }

    std::vector<std::string> Search(const CString& text, bool subItems = true, std::vector<CString> props = {},
        const CMediaTypeSelection& types = All())
    {
        CTextSearchOptions options;
        options.text = text;
        options.includeSubItems = subItems;
        for (const CString& prop : props)
            options.properties.AddTail(prop);
        CItemList results;
        m_library->DoTextSearch(options, types, results);
        return Names(results);
    }

    std::unique_ptr<CLibrary> m_library;
};

using Names_ = std::vector<std::string>;

TEST_F(SearchTest, EveryWordMustOccurIgnoringCase)
{
    EXPECT_EQ(Search("river"), (Names_ { "The Silent River", "> River Run", "river deep", "> Rivers of Europe" }));
    EXPECT_EQ(Search("RIVER  silent"), (Names_ { "The Silent River" }));
    EXPECT_EQ(Search("müller"), (Names_ { "The Silent River", "> Rivers of Europe" }));
    EXPECT_EQ(Search("MÜLLER river"), (Names_ { "The Silent River", "> Rivers of Europe" }));
    EXPECT_EQ(Search("signed"), (Names_ { "The Silent River" }));
    EXPECT_EQ(Search("nowhere"), Names_ {});
    EXPECT_EQ(Search("   "), Names_ {});
}

TEST_F(SearchTest, SubItemsAnswerForThemselves)
{
    EXPECT_EQ(Search("harbor"), (Names_ { "> Harbor Lights", "Harbor Songs" }));
    EXPECT_EQ(Search("harbor", false), (Names_ { "Harbor Songs" }));
    EXPECT_EQ(Search("silent"), (Names_ { "The Silent River", "> Silent Night" }));
}

TEST_F(SearchTest, ChosenPropertiesAndTypes)
{
    EXPECT_EQ(Search("müller", true, { U::MEDIA_PROP_AUTHOR }), (Names_ { "The Silent River", "> Rivers of Europe" }));
    EXPECT_EQ(Search("river", true, { U::MEDIA_PROP_AUTHOR }), Names_ {});
    EXPECT_EQ(Search("author", true, { "Note" }), (Names_ { "The Silent River" }));
    CMediaTypeSelection cds;
    cds.SetShow(U::MEDIA_CD, true);
    EXPECT_EQ(Search("river", true, {}, cds), (Names_ { "> River Run" }));
}

TEST_F(SearchTest, ChangedAddedAndDeletedItemsAreSeen)
{
    ASSERT_EQ(Search("deep"), (Names_ { "river deep" }));
    POSITION pos = m_library->GetHeadItem(U::MEDIA_DVD);
    CMediaItem* dvd = m_library->GetNextItem(U::MEDIA_DVD, pos);
    dvd->SetTitle("Ocean Deep");
    m_library->NoteItemChanged(dvd);
    EXPECT_EQ(Search("deep"), (Names_ { "Ocean Deep" }));
    Add(*m_library, U::MEDIA_DVD, { { U::MEDIA_PROP_TITLE, "Deep Blue" } });
    EXPECT_EQ(Search("deep"), (Names_ { "Deep Blue", "Ocean Deep" }));
    m_library->DeleteItem(dvd);
    EXPECT_EQ(Search("deep"), (Names_ { "Deep Blue" }));

    pos = m_library->GetHeadItem(U::MEDIA_CD);
    CMediaItem* cd = m_library->GetNextItem(U::MEDIA_CD, pos);
    POSITION sub = cd->GetHeadSubItem();
    cd->DeleteSubItem(cd->GetNextSubItem(sub));
    m_library->NoteItemChanged(cd);
    EXPECT_EQ(Search("silent"), (Names_ { "The Silent River" }));
}

TEST_F(SearchTest, IndexesMadeAheadGiveTheSameResults)
{
    const auto before = Search("deep");
    m_library->NoteItemsChanged();
    int steps = 0;
    while (m_library->PrepareSearch())
        ++steps;
    // One step per media type that holds items, then nothing left.
    EXPECT_GE(steps, 2);
    EXPECT_LE(steps, 24);
    EXPECT_FALSE(m_library->PrepareSearch());
    EXPECT_EQ(Search("deep"), before);
    // A prepared index still sees later changes.
    Add(*m_library, U::MEDIA_DVD, { { U::MEDIA_PROP_TITLE, "Deep Blue" } });
    EXPECT_EQ(Search("deep").size(), before.size() + 1);
    m_library->NoteItemsChanged();
    EXPECT_TRUE(m_library->PrepareSearch());
}

// Sorting by one property: the titles come out in the expected order.
struct SortCase {
    const char* name;
    CString prop;
    std::vector<std::string> values; // of the items titled A, B, C
    std::vector<std::string> order;
};

class SortTest : public LibraryTest, public ::testing::WithParamInterface<SortCase> { };

TEST_P(SortTest, OrdersByTheValuesKind)
{
    const SortCase& c = GetParam();
    CLibrary library(false, true);
    library.GetLibraryIDFormatForID(U::MEDIA_BOOK)->SetPrefix("BK-");
    auto* field = new CCustomField();
    field->SetName("Condition");
    library.GetCustomFieldMgr(U::MEDIA_BOOK)->Add(field);
    const char* titles[] = { "A", "B", "C" };
    for (int i = 0; i < 3; ++i) {
        CMediaItem* book = Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, titles[i] } });
        CMapStringToString values;
        values.SetAt(c.prop, c.values[i]);
        if (CMediaUtils::IsDataProp(c.prop))
            book->SetData(values, true);
        else
            library.SetCustomFieldDataForItem(book, values, true);
    }
    library.SetSortOrder(U::MEDIA_BOOK, c.prop, "", true);
    EXPECT_EQ(Titles(library, U::MEDIA_BOOK), c.order);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SortTest,
    ::testing::Values(SortCase { "Number", U::MEDIA_PROP_YEAR, { "2000", "999", "10" }, { "C", "B", "A" } },
        SortCase { "Price", U::MEDIA_PROP_PRICE, { "10.5", "9.99", "100" }, { "B", "A", "C" } },
        SortCase { "TextIgnoringCase", U::MEDIA_PROP_AUTHOR, { "b", "C", "a" }, { "C", "A", "B" } },
        SortCase { "SeriesNumber", U::MEDIA_PROP_SERIESNUMBER, { "Vol. 10", "Vol. 2", "" }, { "C", "B", "A" } },
        SortCase { "Date", U::MEDIA_PROP_DATEACQ, { "2001-01-01", "", "1999-05-05" }, { "B", "C", "A" } },
        SortCase { "LibraryID", U::MEDIA_PROP_LIBRARYID, { "BK-10", "BK-9", "" }, { "C", "B", "A" } },
        SortCase { "CustomField", "Condition", { "Poor", "good", "Fair" }, { "C", "B", "A" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LibraryTest, SecondaryPropertyBreaksTiesAndEqualItemsKeepTheirOrder)
{
    CLibrary library(false, true);
    Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "1" }, { U::MEDIA_PROP_AUTHOR, "Y" }, { "Year", "1990" } });
    Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "2" }, { U::MEDIA_PROP_AUTHOR, "X" }, { "Year", "1990" } });
    Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "3" }, { U::MEDIA_PROP_AUTHOR, "X" }, { "Year", "1980" } });
    Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "4" }, { U::MEDIA_PROP_AUTHOR, "X" }, { "Year", "1990" } });
    library.SetSortOrder(U::MEDIA_BOOK, U::MEDIA_PROP_TITLE, "", true);
    library.SetSortOrder(U::MEDIA_BOOK, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_YEAR, true);
    EXPECT_EQ(Titles(library, U::MEDIA_BOOK), (std::vector<std::string> { "3", "2", "4", "1" }));
    CString primary, secondary;
    library.GetSortOrder(U::MEDIA_BOOK, primary, secondary);
    EXPECT_EQ(primary, U::MEDIA_PROP_AUTHOR);
    EXPECT_EQ(secondary, U::MEDIA_PROP_YEAR);
    // The list handed out for several types keeps each type's order.
    CMediaItemList items;
    CMediaTypeSelection books;
    books.SetShow(U::MEDIA_BOOK, true);
    library.GetMediaItems(books, items);
    EXPECT_EQ(items.GetHead()->GetTitle(), "3");
}

// The series number keys order exactly as CMediaUtils::CompareSeriesNumbers.
TEST(ItemSortTest, SeriesNumberKeysAgreeWithTheSeriesOrder)
{
    const char* texts[] = { "", "2", "10", "Vol. 2", "Vol. 10", "10b", "Part II", "part ii", "1,000", "-5", "abc",
        "ABC", "3.5", "Vol 3.5", "x1y" };
    CBook a;
    CBook b;
    const CItemSort::CValueSource none;
    const auto kind = CItemSort::ClassifyKey(U::MEDIA_PROP_SERIESNUMBER);
    ASSERT_EQ(kind, CItemSort::KeyKind::seriesNumber);
    for (const char* x : texts) {
        for (const char* y : texts) {
            a.SetSeriesNumber(x);
            b.SetSeriesNumber(y);
            const int keys = CItemSort::CompareKeys(CItemSort::MakeKey(a, U::MEDIA_PROP_SERIESNUMBER, kind, none),
                CItemSort::MakeKey(b, U::MEDIA_PROP_SERIESNUMBER, kind, none), kind);
            EXPECT_EQ(keys, CMediaUtils::CompareSeriesNumbers(x, y)) << "'" << x << "' vs '" << y << "'";
        }
    }
}

TEST_F(LibraryTest, ListTextsTellEveryItemApart)
{
    CLibrary library(false, true);
    for (int i = 0; i < 3; ++i)
        Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "Dune" }, { U::MEDIA_PROP_AUTHOR, "Herbert" } });
    Add(library, U::MEDIA_BOOK, { { U::MEDIA_PROP_TITLE, "Emma" } });
    CStringArray texts;
    library.GetItemListTexts(U::MEDIA_BOOK, texts);
    ASSERT_EQ(texts.GetSize(), 4);
    std::set<CString> distinct(texts.begin(), texts.end());
    EXPECT_EQ(distinct.size(), 4u);
    EXPECT_NE(texts.GetAt(0).find("Dune"), CString::npos);
}

TEST_F(LibraryTest, FindDuplicateGivesTheFirstEqualItemInListOrder)
{
    CLibrary library(false, true);
    library.SetSortOrder(U::MEDIA_CD, U::MEDIA_PROP_YEAR, "", true);
    CMediaItem* later = Add(library, U::MEDIA_CD,
        { { U::MEDIA_PROP_TITLE, "Blue" }, { U::MEDIA_PROP_ARTIST, "Miles" }, { U::MEDIA_PROP_YEAR, "1990" } });
    CMediaItem* first = Add(library, U::MEDIA_CD,
        { { U::MEDIA_PROP_TITLE, "BLUE" }, { U::MEDIA_PROP_ARTIST, "miles" }, { U::MEDIA_PROP_YEAR, "1959" } });
    Add(library, U::MEDIA_CD, { { U::MEDIA_PROP_TITLE, "Blue" }, { U::MEDIA_PROP_ARTIST, "Joni" } });
    library.SetSortOrder(U::MEDIA_CD, U::MEDIA_PROP_YEAR, "", true);

    CCD row;
    row.SetTitle("blue");
    row.SetArtist("Miles");
    EXPECT_EQ(library.FindDuplicate(&row), first);
    EXPECT_EQ(library.FindDuplicate(first), later);
    row.SetArtist("Nobody");
    EXPECT_EQ(library.FindDuplicate(&row), nullptr);

    // A title changed by the program is seen once the library is told.
    later->SetTitle("Kind of Blue");
    library.NoteItemChanged(later);
    EXPECT_EQ(library.FindDuplicate(first), nullptr);
    EXPECT_EQ(library.FindDuplicate(nullptr), nullptr);
}

TEST_F(LibraryTest, MagazineIssuesAreDuplicatesByMagazineAndIssue)
{
    CLibrary library(false, true);
    CMediaItem* issue = Add(library, U::MEDIA_MAGAZINE,
        { { U::MEDIA_PROP_MAGAZINE, "Boats" }, { U::MEDIA_PROP_MAGISSUE, "May 2004" }, { U::MEDIA_PROP_TITLE, "A" } });
    CMapStringToString row;
    row.SetAt(U::MEDIA_PROP_MAGAZINE, "boats");
    row.SetAt(U::MEDIA_PROP_MAGISSUE, "MAY 2004");
    row.SetAt(U::MEDIA_PROP_TITLE, "Other title");
    CMagazineIssue probe;
    probe.SetData(row, true);
    EXPECT_EQ(library.FindDuplicate(&probe), issue);
}

TEST_F(LibraryTest, ImportingARowTwiceMakesOneItemAndFillsOnlyWhatIsMissing)
{
    CLibrary library(false, true);
    CMapStringToString row;
    row.SetAt(U::MEDIA_PROP_TITLE, "Dune");
    row.SetAt(U::MEDIA_PROP_AUTHOR, "Frank Herbert");
    row.SetAt(U::MEDIA_PROP_YEAR, "1965");
    CMediaItem* item = library.Import(U::MEDIA_BOOK, row, false);
    ASSERT_NE(item, nullptr);
    row.SetAt(U::MEDIA_PROP_YEAR, "1999");
    row.SetAt(U::MEDIA_PROP_PAGES, "412");
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, row, false), item);
    EXPECT_EQ(library.GetItemCount(U::MEDIA_BOOK), 1);
    EXPECT_EQ(item->GetYearPublished(), 1965);
    EXPECT_EQ(static_cast<CBook*>(item)->GetPages(), 412);
    EXPECT_EQ(library.Import(U::MEDIA_BOOK, CMapStringToString(), false), nullptr);
    EXPECT_EQ(library.Import(0, row, false), nullptr);
}
