#include <gtest/gtest.h>

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

TEST(CategoryTest, NameRules)
{
    CCategory category("Drama", "plays");
    category.SetName("");
    EXPECT_EQ(category.GetName(), "Drama");
    category.SetName("<none>");
    EXPECT_EQ(category.GetName(), "Drama");
    category.SetName("<NONE>");
    EXPECT_EQ(category.GetName(), "<NONE>");
    EXPECT_TRUE(CCategory("jazz") == CCategory("JAZZ"));
    EXPECT_TRUE(CCategory("blues") < CCategory("Jazz"));
    EXPECT_FALSE(CCategory("Jazz") < CCategory("blues"));
}

TEST(CategoryTest, RecordLayoutAndNoneNameSurvivesLoading)
{
    CCategory none(CCategory::GetNoCategory(), "");
    none.SetUniqueID(1);
    none.SetDepItems(9);
    const std::string bytes = StoreBytes(none);
    EXPECT_EQ(bytes, std::string("\x01\x00\x01\x00\x00\x00\x06<none>\x00", 14));

    CCategory read("x", "y");
    read.SetDepItems(3);
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_EQ(read.GetName(), "<none>");
    EXPECT_EQ(read.GetDescription(), "");
    EXPECT_EQ(read.GetUniqueID(), 1);
    EXPECT_EQ(read.GetDepItems(), 3); // never stored

    CCategory target("kept", "as is");
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(target.GetName(), "kept");
    EXPECT_EQ(target.GetUniqueID(), 0);
}

class CategoryMgrTest : public testing::Test {
protected:
    void SetUp() override { CCategoryMgr::DeleteInstance(); }
    void TearDown() override { CCategoryMgr::DeleteInstance(); }

    static CCategoryMgr& Mgr() { return *CCategoryMgr::GetInstance(); }

    // A block as a writer would make it, with chosen ids and next id.
    static std::string Block(int nextID, const std::vector<std::pair<int, CString>>& categories)
    {
        CArchive ar;
        ar.WriteWord(1);
        ar.WriteInt(nextID);
        ar.WriteInt(static_cast<int>(categories.size()));
        for (const auto& [id, name] : categories) {
            CCategory category(name, "");
            category.SetUniqueID(id);
            category.Serialize(ar);
        }
        return ar.GetBuffer();
    }

    static std::vector<CString> Names()
    {
        std::vector<CString> names;
        for (POSITION pos = Mgr().GetHeadPosition(); pos;)
            names.push_back(Mgr().GetNext(pos)->GetName());
        return names;
    }
};

TEST_F(CategoryMgrTest, FreshListHoldsTheNoneCategory)
{
    ASSERT_EQ(Mgr().GetCount(), 1);
    CCategory* none = Mgr().GetCategoryNone();
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetName(), "<none>");
    EXPECT_EQ(none->GetUniqueID(), 1);
    EXPECT_EQ(Mgr().GetCategory(1), none);
    EXPECT_EQ(Mgr().GetCategory("", false), none);
    EXPECT_EQ(Mgr().GetCategory("<none>", false), none);
    EXPECT_EQ(Mgr().GetCategory("Drama", true)->GetUniqueID(), 2);
}

TEST_F(CategoryMgrTest, LookupsAndCreation)
{
    CCategory* drama = Mgr().GetCategory("Drama", true);
    ASSERT_NE(drama, nullptr);
    EXPECT_EQ(Mgr().GetCategory("Drama", false), drama);
    EXPECT_EQ(Mgr().GetCategory("drama", false), nullptr);
    CCategory* lower = Mgr().GetCategory("drama", true);
    ASSERT_NE(lower, nullptr);
    EXPECT_NE(lower, drama);
    EXPECT_EQ(lower->GetDescription(), "");
    EXPECT_EQ(Mgr().GetCount(), 3);
    for (int id : { 0, -1, Mgr().GetNextID(), Mgr().GetNextID() + 1 })
        EXPECT_EQ(Mgr().GetCategory(id), nullptr) << id;
}

TEST_F(CategoryMgrTest, IdsAreNeverReused)
{
    auto* first = new CCategory("A", "");
    first->SetUniqueID(77);
    ASSERT_TRUE(Mgr().Add(first));
    EXPECT_EQ(first->GetUniqueID(), 2);
    ASSERT_TRUE(Mgr().Remove(first));
    EXPECT_EQ(Mgr().GetCategory(2), nullptr);
    EXPECT_EQ(Mgr().GetCategory("B", true)->GetUniqueID(), 3);

    EXPECT_FALSE(Mgr().Add(nullptr));
    CCategory stranger("C", "");
    EXPECT_FALSE(Mgr().Remove(&stranger));
    EXPECT_FALSE(Mgr().Remove(nullptr));
    CCategory* b = Mgr().GetCategory("B", false);
    EXPECT_FALSE(Mgr().Add(b)); // already listed
    EXPECT_EQ(Mgr().GetNextID(), 4);

    Mgr().RemoveAll();
    EXPECT_EQ(Mgr().GetCount(), 0);
    EXPECT_EQ(Mgr().GetCategoryNone(), nullptr);
    Mgr().EnsureNoneCategory();
    EXPECT_EQ(Mgr().GetCategoryNone()->GetUniqueID(), 4);
}

TEST_F(CategoryMgrTest, RoundTrip)
{
    Mgr().GetCategory("Drama", true)->SetDescription("plays");
    Mgr().Remove(Mgr().GetCategory("Comedy", true));
    Mgr().GetCategory("Jazz", true);
    const std::string bytes = StoreBytes(Mgr());
    CCategoryMgr::DeleteInstance();

    EXPECT_EQ(LoadBytes(Mgr(), bytes), 0u);
    EXPECT_EQ(Names(), (std::vector<CString> { "<none>", "Drama", "Jazz" }));
    EXPECT_EQ(Mgr().GetNextID(), 5);
    EXPECT_EQ(Mgr().GetCategory(4)->GetName(), "Jazz");
    EXPECT_EQ(Mgr().GetCategory(2)->GetDescription(), "plays");
    EXPECT_EQ(Mgr().GetCategory(3), nullptr);
    EXPECT_EQ(StoreBytes(Mgr()), bytes);
}

TEST_F(CategoryMgrTest, EmptyBlockLeavesOnlyTheNoneCategoryWithTheStoredNextID)
{
    Mgr().GetCategory("Drama", true);
    EXPECT_EQ(LoadBytes(Mgr(), Block(7, {})), 0u);
    ASSERT_EQ(Mgr().GetCount(), 1);
    EXPECT_EQ(Mgr().GetCategoryNone()->GetUniqueID(), 7);
    EXPECT_EQ(Mgr().GetNextID(), 8);
}

TEST_F(CategoryMgrTest, DamagedNextIDNeverHandsOutAnIdTwice)
{
    LoadBytes(Mgr(), Block(2, { { 1, "<none>" }, { 5, "Drama" }, { 3, "Jazz" } }));
    EXPECT_EQ(Mgr().GetNextID(), 6);
    EXPECT_EQ(Mgr().GetCategory(5)->GetName(), "Drama");
    EXPECT_EQ(Mgr().GetCategory("New", true)->GetUniqueID(), 6);
}

TEST_F(CategoryMgrTest, RepeatedIdMapsToTheLaterRecord)
{
    LoadBytes(Mgr(), Block(4, { { 1, "<none>" }, { 2, "Older" }, { 2, "Later" } }));
    EXPECT_EQ(Names(), (std::vector<CString> { "<none>", "Older", "Later" }));
    CCategory* later = Mgr().GetCategory(2);
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->GetName(), "Later");
    // Removing the older record must not unmap the later one.
    EXPECT_TRUE(Mgr().Remove(Mgr().GetCategory("Older", false)));
    EXPECT_EQ(Mgr().GetCategory(2), later);
}

TEST_F(CategoryMgrTest, TruncatedBlockKeepsWholeRecordsAndTheNoneCategory)
{
    const std::string bytes = Block(9, { { 1, "<none>" }, { 4, "Drama" }, { 8, "Jazz" } });
    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& ar) { Mgr().Serialize(ar); });
    // After each failure the list is usable: a none category first and a
    // counter above every id held.
    ASSERT_GE(Mgr().GetCount(), 1);
    EXPECT_EQ(Mgr().GetCategoryNone()->GetName(), "<none>");
    for (POSITION pos = Mgr().GetHeadPosition(); pos;)
        EXPECT_LT(Mgr().GetNext(pos)->GetUniqueID(), Mgr().GetNextID());
}

TEST_F(CategoryMgrTest, HugeCountIsRefusedBeforeReading)
{
    CArchive ar;
    ar.WriteWord(1);
    ar.WriteInt(2);
    ar.WriteInt(0x7FFFFFFF);
    const std::string bytes = ar.GetBuffer();
    CArchive in { std::string_view(bytes) };
    EXPECT_THROW(Mgr().Serialize(in), CArchiveException);
    EXPECT_EQ(Mgr().GetCount(), 1);
}

} // namespace
