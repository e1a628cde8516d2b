#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "data/model/Magazine.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/SharedData.h"
#include "platform/util/Person.h"
#include "support/TempDir.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

class SharedListsTest : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        CPublisherMgr::DeleteInstance();
        CPersonMgr::DeleteInstance();
        CMagazineMgr::DeleteInstance();
    }
    static CPersonMgr& Persons() { return *CPersonMgr::GetInstance(); }
    static CPublisherMgr& Publishers() { return *CPublisherMgr::GetInstance(); }
    static CMagazineMgr& Magazines() { return *CMagazineMgr::GetInstance(); }

    template <class Mgr> static std::vector<CString> Names(const Mgr& mgr)
    {
        CStringList list;
        list.AddTail("before");
        mgr.GetNames(list);
        return std::vector<CString>(list.begin(), list.end());
    }
};

TEST_F(SharedListsTest, PersonsAreMatchedIgnoringCase)
{
    auto* ann = new CPerson("Ann", "", "Lee");
    ann->SetUniqueID(40);
    ASSERT_TRUE(Persons().Add(ann));
    EXPECT_EQ(ann->GetUniqueID(), 1);
    CPerson twin("ANN", "", "lee");
    EXPECT_FALSE(Persons().Add(&twin));
    EXPECT_FALSE(Persons().Add(nullptr));
    EXPECT_EQ(Persons().GetNextID(), 2);

    EXPECT_EQ(Persons().GetPerson("ann", "", "LEE", false), ann);
    EXPECT_EQ(Persons().GetPerson("", "", "", true), nullptr);
    EXPECT_EQ(Persons().GetPerson("Bob", "", "Ray", false), nullptr);
    CPerson* bob = Persons().GetPerson("Bob", "J", "Ray", true);
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->GetUniqueID(), 2);
    EXPECT_EQ(Persons().GetPerson(2), bob);
    EXPECT_EQ(Names(Persons()), (std::vector<CString> { "before", ann->FormName(true), bob->FormName(true) }));
}

TEST_F(SharedListsTest, PublishersAreLookedUpByExactName)
{
    CPerson* acme = Publishers().GetPublisher("Acme", true);
    ASSERT_NE(acme, nullptr);
    EXPECT_EQ(acme->GetLastName(), "Acme");
    EXPECT_EQ(acme->GetFirstName(), "");
    EXPECT_EQ(Publishers().GetPublisher("Acme", false), acme);
    EXPECT_EQ(Publishers().GetPublisher("ACME", false), nullptr);
    EXPECT_EQ(Publishers().GetPublisher("", true), nullptr);

    CPerson same("", "", "acme");
    EXPECT_FALSE(Publishers().Add(&same));
    EXPECT_EQ(Publishers().GetNextID(), 2);
    EXPECT_EQ(Names(Publishers()), (std::vector<CString> { "before", "Acme" }));
}

// Names found through the index are those the list gives: the first of
// two of a name, one made meanwhile, the next of a name once the first goes.
TEST_F(SharedListsTest, PublisherNameIndexFindsWhatTheListFinds)
{
    const auto run = [](bool indexed) {
        Reset();
        CPublisherMgr& mgr = Publishers();
        mgr.Add(new CPerson("", "", "Ace"));
        mgr.Add(new CPerson("Second", "", "Ace"));
        CPublisherMgr::CNameIndex index(indexed ? &mgr : nullptr);
        std::vector<int> ids;
        for (const char* name : { "Ace", "Tor", "Tor", "ace", "Baen" })
            ids.push_back(mgr.GetPublisher(name, std::strcmp(name, "Baen") != 0)
                    ? mgr.GetPublisher(name, false)->GetUniqueID()
                    : 0);
        mgr.Remove(mgr.GetPublisher("Ace", false));
        ids.push_back(mgr.GetPublisher("Ace", false)->GetUniqueID());
        return ids;
    };
    const std::vector<int> listed = run(false);
    EXPECT_EQ(listed, (std::vector<int> { 1, 3, 3, 4, 0, 2 }));
    EXPECT_EQ(run(true), listed);
}

TEST_F(SharedListsTest, MagazinesAddIgnoringCaseButLookUpExactly)
{
    CMagazine* wired = Magazines().GetMagazine("Wired", true);
    ASSERT_NE(wired, nullptr);
    CMagazine shouting("WIRED");
    EXPECT_FALSE(Magazines().Add(&shouting));
    CMagazine* second = Magazines().GetMagazine("WIRED", true);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, wired);
    EXPECT_EQ(Magazines().GetCount(), 2);
    EXPECT_EQ(Magazines().GetMagazine("", true), nullptr);
    EXPECT_EQ(Names(Magazines()), (std::vector<CString> { "before", "Wired", "WIRED" }));
}

TEST_F(SharedListsTest, RemovedIdsAreNotReused)
{
    CPerson* ann = Persons().GetPerson("Ann", "", "Lee", true);
    EXPECT_TRUE(Persons().Remove(ann));
    EXPECT_FALSE(Persons().Remove(nullptr));
    CPerson stranger("X", "", "Y");
    EXPECT_FALSE(Persons().Remove(&stranger));
    EXPECT_EQ(Persons().GetPerson(1), nullptr);
    EXPECT_EQ(Persons().GetPerson("Ann", "", "Lee", true)->GetUniqueID(), 2);
    for (int id : { 0, -3, 3 })
        EXPECT_EQ(Persons().GetPerson(id), nullptr) << id;

    CMagazine* mag = Magazines().GetMagazine("Wired", true);
    EXPECT_TRUE(Magazines().Remove(mag));
    EXPECT_EQ(Magazines().GetMagazine("Wired", true)->GetUniqueID(), 2);
    CPerson* pub = Publishers().GetPublisher("Acme", true);
    EXPECT_TRUE(Publishers().Remove(pub));
    EXPECT_EQ(Publishers().GetPublisher("Acme", true)->GetUniqueID(), 2);
}

TEST_F(SharedListsTest, MagazineRecordLayout)
{
    Publishers().GetPublisher("Acme", true);
    CMagazine magazine("Wired");
    magazine.SetSubscription(true);
    magazine.SetUniqueID(3);
    magazine.SetSubscriptionCost(0.5);
    magazine.SetSubscriptionNumber("N1");
    magazine.SetSubscriptionExp("soon");
    magazine.SetPublisherID(1);
    const std::string bytes = StoreBytes(magazine);
    const std::string expected = std::string("\x01\x00\x01\x00\x03\x00\x00\x00", 8)
        + std::string("\x00\x00\x00\x00\x00\x00\xE0\x3F", 8) + "\x05Wired" + "\x02N1" + "\x04soon"
        + std::string("\x01\x00\x00\x00", 4);
    EXPECT_EQ(bytes, expected);

    CMagazine read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_EQ(StoreBytes(read), bytes);

    CMagazine target("kept");
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(target.GetName(), "kept");
    EXPECT_EQ(target.GetPublisherID(), 0);
}

TEST_F(SharedListsTest, ManagerBlocksRoundTripAndLoadingAdds)
{
    Persons().GetPerson("Ann", "", "Lee", true)->SetEmail("ann@example.org");
    Persons().Remove(Persons().GetPerson("Tmp", "", "", true));
    Persons().GetPerson("Bob", "", "Ray", true);
    const std::string bytes = StoreBytes(Persons());
    CPersonMgr::DeleteInstance();

    Persons().GetPerson("Zed", "", "", true);
    EXPECT_EQ(LoadBytes(Persons(), bytes), 0u);
    EXPECT_EQ(Persons().GetCount(), 3);
    EXPECT_EQ(Persons().GetNextID(), 4);
    EXPECT_EQ(Persons().GetPerson(1)->GetEmail(), "ann@example.org");
    EXPECT_EQ(Persons().GetPerson(3)->GetFirstName(), "Bob");
}

TEST_F(SharedListsTest, DamagedBlocks)
{
    // A next id at or below the ids held is raised above them.
    CArchive ar;
    ar.WriteWord(1);
    ar.WriteInt(1);
    ar.WriteInt(2);
    CMagazine a("A");
    a.SetUniqueID(6);
    a.Serialize(ar);
    CMagazine b("B");
    b.SetUniqueID(2);
    b.Serialize(ar);
    const std::string bytes = ar.GetBuffer();
    LoadBytes(Magazines(), bytes);
    EXPECT_EQ(Magazines().GetNextID(), 7);
    EXPECT_EQ(Magazines().GetMagazine(6)->GetName(), "A");
    EXPECT_EQ(Magazines().GetMagazine("C", true)->GetUniqueID(), 7);

    CMagazineMgr::DeleteInstance();
    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& in) { Magazines().Serialize(in); });
    for (POSITION pos = Magazines().GetHeadPosition(); pos;)
        EXPECT_LT(Magazines().GetNext(pos)->GetUniqueID(), Magazines().GetNextID());

    // A negative count reads nothing.
    CArchive negative;
    negative.WriteWord(1);
    negative.WriteInt(5);
    negative.WriteInt(-4);
    const std::string negativeBytes = negative.GetBuffer();
    CPersonMgr::DeleteInstance();
    EXPECT_EQ(LoadBytes(Persons(), negativeBytes), 0u);
    EXPECT_EQ(Persons().GetCount(), 0);
    EXPECT_EQ(Persons().GetNextID(), 5);
}

TEST_F(SharedListsTest, SharedDataFileRoundTrip)
{
    CPerson* acme = Publishers().GetPublisher("Acme", true);
    CPerson* gone = Publishers().GetPublisher("Gone Press", true);
    Persons().GetPerson("Ann", "", "Lee", true);
    CMagazine* wired = Magazines().GetMagazine("Wired", true);
    wired->SetPublisherID(acme->GetUniqueID());
    CMagazine* orphan = Magazines().GetMagazine("Orphan", true);
    orphan->SetPublisherID(gone->GetUniqueID());
    Publishers().Remove(gone);

    vemotest::TempDir dir;
    const CString path = dir.File(CSharedData::FILE_NAME);
    CArchive out;
    CSharedData::Serialize(out);
    out.WriteToFile(path);
    const std::string bytes = out.GetBuffer();
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x01\x00", 2));
    Reset();

    CArchive in = CArchive::FromFile(path);
    CSharedData::Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Publishers().GetCount(), 1);
    EXPECT_EQ(Publishers().GetNextID(), 3);
    EXPECT_EQ(Persons().GetPerson(1)->GetLastName(), "Lee");
    EXPECT_EQ(Magazines().GetMagazine("Wired", false)->GetPublisherID(), 1);
    EXPECT_EQ(Magazines().GetMagazine("Orphan", false)->GetPublisherID(), 0);

    Reset();
    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& ar) {
        SharedListsTest::Reset();
        CSharedData::Serialize(ar);
    });
}

} // namespace
