#include <gtest/gtest.h>

#include <functional>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/store/CheckOutActions.h"
#include "data/store/CheckoutSettings.h"
#include "platform/util/Archive.h"

namespace {

constexpr int kAnn = 1;
constexpr int kBob = 2;

COleDateTime Day(int day, int hour = 10)
{
    return COleDateTime(2024, 5, day, hour, 0, 0);
}

std::string Bytes(CCheckOut& history)
{
    CArchive ar;
    history.Serialize(ar);
    return ar.GetBuffer();
}

TEST(CheckOutActionsTest, ReserveTwoLendToTheFirstReturnAndTheNextMovesUp)
{
    CCheckOut history;
    ASSERT_EQ(CCheckOutActions::Reserve(history, kAnn, Day(1)), "");
    ASSERT_EQ(CCheckOutActions::Reserve(history, kBob, Day(2)), "");
    EXPECT_EQ(history.GetReservedTo()->GetPersonID(), kAnn);

    ASSERT_EQ(CCheckOutActions::CheckOut(history, kAnn, Day(3), Day(10)), "");
    // Ann's reservation became the loan.
    ASSERT_EQ(history.GetEntryCount(), 2);
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateCheckedOut);
    EXPECT_EQ(history.GetCheckedOutTo()->GetPersonID(), kAnn);
    EXPECT_EQ(history.GetCheckedOutTo()->GetReservedDate(), Day(1));
    EXPECT_EQ(history.GetCheckedOutTo()->GetCheckedDueDate(), Day(10));
    EXPECT_EQ(history.GetReservedTo()->GetReservationOrder(), 1);

    ASSERT_EQ(CCheckOutActions::Return(history, Day(8)), "");
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateReserved);
    EXPECT_EQ(history.GetReservedTo()->GetPersonID(), kBob);
    EXPECT_EQ(history.GetTimesCheckedOut(), 1);
    EXPECT_EQ(history.GetEntryAt(0)->GetReturnedDate(), Day(8));

    ASSERT_EQ(CCheckOutActions::CancelReservation(history, history.GetReservedTo()), "");
    EXPECT_EQ(history.GetCurrentState(), CCheckOut::stateNone);
    EXPECT_EQ(history.GetEntryCount(), 1);
}

TEST(CheckOutActionsTest, ALoadedQueueGoesByDateThenByOrder)
{
    CCheckOut history;
    for (int day : { 9, 4 }) {
        auto* entry = new CCheckOutState;
        entry->SetPersonID(day);
        entry->SetReservedDate(Day(day));
        history.Add(entry);
    }
    ASSERT_EQ(CCheckOutActions::Reserve(history, kAnn, Day(1)), "");
    // Ann reserved last, whatever the date says.
    EXPECT_EQ(history.GetEntryAt(0)->GetPersonID(), 4);
    EXPECT_EQ(history.GetEntryAt(1)->GetPersonID(), 9);
    EXPECT_EQ(history.GetEntryAt(2)->GetPersonID(), kAnn);
    EXPECT_EQ(history.GetEntryAt(2)->GetReservationOrder(), 3);
}

struct RefusalCase {
    const char* name;
    std::function<CString(CCheckOut&)> act;
    const char* message;
};

class CheckOutRefusalTest : public ::testing::TestWithParam<RefusalCase> { };

TEST_P(CheckOutRefusalTest, LeavesTheHistoryAsItWas)
{
    CCheckOut history;
    ASSERT_EQ(CCheckOutActions::Reserve(history, kBob, Day(1)), "");
    const std::string before = Bytes(history);
    EXPECT_EQ(GetParam().act(history), GetParam().message);
    EXPECT_EQ(Bytes(history), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckOutRefusalTest,
    ::testing::Values(RefusalCase { "CheckOutWithoutBorrower",
                          [](CCheckOut& h) { return CCheckOutActions::CheckOut(h, 0, Day(3), Day(10)); },
                          "Please choose the borrower first: pick a person from the list, or add a new one." },
        RefusalCase { "DueBeforeCheckOut",
            [](CCheckOut& h) { return CCheckOutActions::CheckOut(h, kAnn, Day(3), Day(2)); },
            "The due date cannot be before the check-out date." },
        RefusalCase { "DueNotADate",
            [](CCheckOut& h) {
                COleDateTime due;
                due.SetStatus(COleDateTime::invalid);
                return CCheckOutActions::CheckOut(h, kAnn, Day(3), due);
            },
            "The due date is not a valid date." },
        RefusalCase { "ReserveWithoutBorrower", [](CCheckOut& h) { return CCheckOutActions::Reserve(h, 0, Day(3)); },
            "Please choose the borrower first: pick a person from the list, or add a new one." },
        RefusalCase { "ReserveTwice", [](CCheckOut& h) { return CCheckOutActions::Reserve(h, kBob, Day(3)); },
            "The item is already reserved for this borrower." },
        RefusalCase { "ReturnWhenNotOut", [](CCheckOut& h) { return CCheckOutActions::Return(h, Day(3)); },
            "The item is not checked out." },
        RefusalCase { "CancelALoan",
            [](CCheckOut& h) {
                CCheckOutState other;
                return CCheckOutActions::CancelReservation(h, &other);
            },
            "Please choose the reservation to cancel." }),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(CheckOutActionsTest, NoSecondLoanAndNoReturnBeforeTheLoan)
{
    CCheckOut history;
    ASSERT_EQ(CCheckOutActions::CheckOut(history, kAnn, Day(3), COleDateTime::Null()), "");
    EXPECT_FALSE(history.GetCheckedOutTo()->GetCheckedDueDate().IsValid());
    const std::string before = Bytes(history);
    EXPECT_NE(CCheckOutActions::CheckOut(history, kBob, Day(4), Day(9)), "");
    EXPECT_NE(CCheckOutActions::Return(history, Day(2)), "");
    EXPECT_EQ(CCheckOutActions::Reserve(history, kAnn, Day(4)), "The item is checked out to this borrower.");
    EXPECT_EQ(Bytes(history), before);
}

struct OverdueCase {
    COleDateTime due;
    COleDateTime now;
    bool returned;
    bool overdue;
};

class OverdueTest : public ::testing::TestWithParam<OverdueCase> { };

TEST_P(OverdueTest, ByTheDayUnlessTheDueDateHasATime)
{
    const OverdueCase& c = GetParam();
    CCheckOutState entry;
    entry.SetCheckedOutDate(Day(1));
    entry.SetCheckedDueDate(c.due);
    if (c.returned)
        entry.SetReturnedDate(Day(2));
    EXPECT_EQ(CCheckOutActions::IsOverdue(entry, c.now), c.overdue);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverdueTest,
    ::testing::Values(OverdueCase { Day(10, 0), Day(10, 18), false, false },
        OverdueCase { Day(10, 0), Day(11, 8), false, true }, OverdueCase { Day(10, 9), Day(10, 10), false, true },
        OverdueCase { Day(10, 9), Day(10, 8), false, false }, OverdueCase { Day(10, 0), Day(20), true, false },
        OverdueCase { COleDateTime::Null(), Day(20), false, false }));

TEST(CheckOutActionsTest, DueDateProposedOnlyWithALoanPeriod)
{
    CCheckoutSettings settings;
    EXPECT_FALSE(CCheckOutActions::ProposeDueDate(settings, Day(1)).IsValid());
    settings.SetSpecifyDuration(true);
    settings.SetDuration(2);
    settings.SetDurationType(coWeeks);
    EXPECT_EQ(CCheckOutActions::ProposeDueDate(settings, Day(1)), Day(15, 0));
    // A loan of hours is due back at the hour.
    settings.SetDuration(5);
    settings.SetDurationType(coHours);
    EXPECT_EQ(CCheckOutActions::ProposeDueDate(settings, Day(1)), Day(1, 15));
}

} // namespace
