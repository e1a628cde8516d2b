#include <gtest/gtest.h>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/PersonMgr.h"
#include "platform/util/Person.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

COleDateTime Day(int day)
{
    return COleDateTime(2023, 3, day, 10, 0, 0);
}

CCheckOutState* Reserved(int day, int order = 0)
{
    auto* entry = new CCheckOutState();
    entry->SetReservedDate(Day(day));
    entry->SetReservationOrder(order);
    return entry;
}

CCheckOutState* CheckedOut(int day)
{
    auto* entry = new CCheckOutState();
    entry->SetCheckedOutDate(Day(day));
    entry->SetCheckedDueDate(Day(day + 7));
    return entry;
}

CCheckOutState* Returned(int day)
{
    CCheckOutState* entry = CheckedOut(day - 3);
    entry->SetReturnedDate(Day(day));
    return entry;
}

TEST(CheckOutTest, StatesFollowTheDatesSet)
{
    CCheckOut history;
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateNone);
    EXPECT_EQ(history.GetCurrentStateText(), "Available");
    history.Add(Returned(10));
    EXPECT_EQ(history.GetCurrentStateText(), "Available");
    CCheckOutState* reservation = Reserved(12);
    history.Add(reservation);
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateReserved);
    EXPECT_EQ(history.GetCurrentStateText(), "Reserved");
    EXPECT_EQ(history.GetTimesCheckedOut(), 1);
    EXPECT_EQ(history.GetCheckedOutTo(), nullptr);
    EXPECT_EQ(history.GetReservedTo(), reservation);
}

TEST(CheckOutTest, SortingPutsTheLoanBeforeReservations)
{
    CCheckOut history;
    CCheckOutState* reservation = Reserved(1);
    CCheckOutState* loan = CheckedOut(2);
    CCheckOutState* laterReturn = Returned(20);
    CCheckOutState* earlierReturn = Returned(5);
    history.Add(reservation);
    history.Add(loan);
    history.Add(laterReturn);
    history.Add(earlierReturn);
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateReserved);
    history.Sort();
    ASSERT_EQ(history.GetEntryCount(), 4);
    EXPECT_EQ(history.GetEntryAt(0), earlierReturn);
    EXPECT_EQ(history.GetEntryAt(1), laterReturn);
    EXPECT_EQ(history.GetEntryAt(2), loan);
    EXPECT_EQ(history.GetEntryAt(3), reservation);
    EXPECT_EQ(history.GetCurrentStateText(), "Checked-Out");
    EXPECT_EQ(history.GetCheckedOutTo(), loan);
    EXPECT_EQ(history.GetReservedTo(), reservation);
    EXPECT_EQ(history.GetTimesCheckedOut(), 3);
    EXPECT_EQ(history.GetEntryAt(4), nullptr);
}

TEST(CheckOutTest, ReservationsByOrderOrElseByDate)
{
    CCheckOut byOrder;
    CCheckOutState* second = Reserved(1, 2);
    CCheckOutState* first = Reserved(9, 1);
    byOrder.Add(second);
    byOrder.Add(first);
    byOrder.Sort();
    EXPECT_EQ(byOrder.GetEntryAt(0), first);

    CCheckOut byDate;
    CCheckOutState* late = Reserved(9);
    CCheckOutState* early = Reserved(1);
    byDate.Add(late);
    byDate.Add(early);
    byDate.Sort();
    EXPECT_EQ(byDate.GetEntryAt(0), early);
}

TEST(CheckOutTest, EntryOrderAndEquality)
{
    CCheckOutState a;
    CCheckOutState b;
    EXPECT_TRUE(a == b);
    b.SetPersonID(4);
    b.SetReservationOrder(2);
    EXPECT_TRUE(a == b); // person and order are not compared
    b.SetCheckedDueDate(Day(3));
    EXPECT_FALSE(a == b);

    std::unique_ptr<CCheckOutState> returned(Returned(4));
    std::unique_ptr<CCheckOutState> loan(CheckedOut(4));
    std::unique_ptr<CCheckOutState> reservation(Reserved(4));
    EXPECT_TRUE(*returned < *loan);
    EXPECT_FALSE(*loan < *returned);
    EXPECT_TRUE(*loan < *reservation);
    EXPECT_FALSE(*reservation < *loan);
    EXPECT_FALSE(*reservation < *returned);
}

TEST(CheckOutTest, AddAndDeleteIgnoreNullAndStrangers)
{
    CCheckOut history;
    history.Add(nullptr);
    CCheckOutState* entry = Reserved(1);
    history.Add(entry);
    history.Add(entry);
    EXPECT_EQ(history.GetEntryCount(), 1);
    CCheckOutState stranger;
    history.Delete(&stranger);
    history.Delete(nullptr);
    EXPECT_EQ(history.GetEntryCount(), 1);
    history.Delete(entry);
    EXPECT_EQ(history.GetEntryCount(), 0);
}

class CheckOutRecordTest : public testing::Test {
protected:
    void SetUp() override { CPersonMgr::DeleteInstance(); }
    void TearDown() override { CPersonMgr::DeleteInstance(); }
};

TEST_F(CheckOutRecordTest, EntryLayoutAndUnknownPerson)
{
    CPerson* ann = CPersonMgr::GetInstance()->GetPerson("Ann", "", "Lee", true);
    std::unique_ptr<CCheckOutState> entry(Returned(9));
    entry->SetPersonID(ann->GetUniqueID());
    entry->SetReservationOrder(3);
    const std::string bytes = StoreBytes(*entry);
    ASSERT_EQ(bytes.size(), 2u + 4 + 4 * 12);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x01\x00\x00\x00", 6));
    EXPECT_EQ(bytes.substr(6, 4), std::string("\x02\x00\x00\x00", 4)); // reserved date null

    CCheckOutState read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_TRUE(read == *entry);
    EXPECT_EQ(read.GetPersonID(), 1);
    EXPECT_EQ(read.GetReservationOrder(), 0);

    CPersonMgr::GetInstance()->Remove(ann);
    LoadBytes(read, bytes);
    EXPECT_EQ(read.GetPersonID(), 0);

    CCheckOutState target;
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_TRUE(target == CCheckOutState());
}

TEST_F(CheckOutRecordTest, HistoryBlockRoundTrip)
{
    CCheckOut history;
    history.Add(Returned(3));
    history.Add(CheckedOut(5));
    history.Add(Reserved(6));
    const std::string bytes = StoreBytes(history);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x03\x00\x00\x00", 6));

    CCheckOut read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    ASSERT_EQ(read.GetEntryCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(*read.GetEntryAt(i) == *history.GetEntryAt(i)) << i;
    EXPECT_EQ(StoreBytes(read), bytes);

    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& ar) {
        CCheckOut target;
        target.Serialize(ar);
    });
}

} // namespace
