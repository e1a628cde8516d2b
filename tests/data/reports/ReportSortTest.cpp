#include <gtest/gtest.h>

#include "ReportFixture.h"
#include "data/reports/ReportSort.h"
#include "platform/util/OleDateTime.h"
#include "support/LibraryGenerator.h"

namespace {

class ReportSortTest : public ReportTest {
protected:
    CItemList Sorted(std::vector<CItem*> order, const CString& p1, const CString& p2 = "", const CString& p3 = "",
        const CString& p4 = "", bool withLibrary = true)
    {
        CItemList items;
        for (CItem* item : order)
            items.AddTail(item);
        CReportSort::Sort(items, p1, p2, p3, p4, withLibrary ? m_library.GetImpl() : nullptr);
        return items;
    }
};

TEST_F(ReportSortTest, SeriesNumberDecidesAloneEvenWhenEqual)
{
    CBook* b = AddBook("B", "Vol. 2");
    CBook* a = AddBook("A", "vol. 2");
    CBook* c = AddBook("C", "Vol. 10");
    EXPECT_EQ(Titles(Sorted({ b, c, a }, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_TITLE)),
        (std::vector<CString> { "B", "A", "C" }));
    // A text key before it still orders first.
    EXPECT_EQ(Titles(Sorted({ c, b, a }, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_TITLE)),
        (std::vector<CString> { "B", "A", "C" }));
}

TEST_F(ReportSortTest, KeysCompareByTheirKindAndFallThroughWhenEqual)
{
    CBook* a = AddBook("apple");
    CBook* b = AddBook("Banana");
    CBook* c = AddBook("cherry");
    a->SetYearPublished(1999);
    b->SetYearPublished(200);
    c->SetYearPublished(1999);
    a->SetDateAcquired(COleDateTime(2020, 5, 1, 0, 0, 0));
    c->SetDateAcquired(COleDateTime(2019, 1, 1, 0, 0, 0));
    // Numbers as numbers (200 before 1999), then dates (unset first), then
    // text ignoring case.
    EXPECT_EQ(Titles(Sorted({ a, c, b }, U::MEDIA_PROP_YEAR, U::MEDIA_PROP_DATEACQ)),
        (std::vector<CString> { "Banana", "cherry", "apple" }));
    EXPECT_EQ(
        Titles(Sorted({ c, b, a }, "", U::MEDIA_PROP_TITLE)), (std::vector<CString> { "apple", "Banana", "cherry" }));
    EXPECT_EQ(Titles(Sorted({ c, b, a }, U::MEDIA_PROP_DATEACQ, U::MEDIA_PROP_TITLE)),
        (std::vector<CString> { "Banana", "cherry", "apple" }));
}

TEST_F(ReportSortTest, TextIgnoresCaseBeyondAsciiAndKeepsEqualItemsInOrder)
{
    CBook* upper = AddBook("Äpfel");
    CBook* lower = AddBook("äpfel");
    CBook* z = AddBook("Zebra");
    CBook* badBytes = AddBook("\xff\xfe");
    EXPECT_EQ(Titles(Sorted({ badBytes, z, lower, upper }, U::MEDIA_PROP_TITLE)),
        (std::vector<CString> { "Zebra", "äpfel", "Äpfel", "\xff\xfe" }));
}

TEST_F(ReportSortTest, CustomFieldsCountOnlyForTextKeysAndWithALibrary)
{
    AddCustomField(U::MEDIA_BOOK, "Shelf");
    AddCustomField(U::MEDIA_BOOK, "Year");
    CBook* a = AddBook("A");
    CBook* b = AddBook("B");
    SetCustomText(a, "Shelf", "z");
    SetCustomText(b, "Shelf", "y");
    EXPECT_EQ(Titles(Sorted({ a, b }, "Shelf")), (std::vector<CString> { "B", "A" }));
    EXPECT_EQ(Titles(Sorted({ a, b }, "Shelf", "", "", "", false)), (std::vector<CString> { "A", "B" }));
    // A number key never reads a custom field of the same name.
    SetCustomText(a, "Year", "1");
    SetCustomText(b, "Year", "2");
    a->SetYearPublished(2001);
    b->SetYearPublished(2000);
    EXPECT_EQ(Titles(Sorted({ a, b }, U::MEDIA_PROP_YEAR)), (std::vector<CString> { "B", "A" }));
}

TEST_F(ReportSortTest, NullItemsGoLastAndMixedItemsSortTogether)
{
    CBook* book = AddBook("M");
    CCD* cd = AddCD("Artist", "B", { "Z track" });
    CItem* track = nullptr;
    POSITION pos = cd->GetHeadSubItem();
    track = cd->GetNextSubItem(pos);
    EXPECT_EQ(Titles(Sorted({ nullptr, book, track, cd }, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_TRACKTITLE)),
        (std::vector<CString> { "B", "Z track", "M", "(null)" }));
}

// The values the sort reads straight from a medium must be what its
// property map says, for every class and for sub-items.
TEST_F(ReportSortTest, ValuesAreWhatThePropertyMapsGive)
{
    vemotest::GenerateLibrary(m_library, { 240, 5 });
    const std::vector<CString> props { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_LIBRARYID, U::MEDIA_PROP_LOCATION,
        U::MEDIA_PROP_DESCRIPTION, U::MEDIA_PROP_YEAR, U::MEDIA_PROP_DATEACQ, U::MEDIA_PROP_MEDIA,
        U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_CATEGORYDESC, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_ARTIST,
        U::MEDIA_PROP_TRACKTITLE, U::MEDIA_PROP_PAGE };
    int checked = 0;
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
        for (POSITION pos = m_library.GetHeadItem(type); pos;) {
            CMediaItem* media = m_library.GetNextItem(type, pos);
            std::vector<const CItem*> items { media };
            for (POSITION sub = media->GetHeadSubItem(); sub;)
                items.push_back(media->GetNextSubItem(sub));
            for (const CItem* item : items) {
                CMapStringToString data;
                for (const CString& prop : props)
                    data.SetAt(prop, "");
                item->GetData(data);
                for (const CString& prop : props)
                    EXPECT_EQ(CReportSort::GetValue(item, prop, nullptr), data[prop]) << type << " " << prop;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 240);
}

} // namespace
