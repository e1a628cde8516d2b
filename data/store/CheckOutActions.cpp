#include "data/store/CheckOutActions.h"

#include <cmath>
#include <memory>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/store/CheckoutSettings.h"
#include "platform/util/DateTimeUtils.h"

namespace {

const CString kNoBorrower = "Please choose the borrower first: pick a person from the list, or add a new one.";
const CString kNoDate = "Please enter a valid date.";
const CString kBadDue = "The due date is not a valid date.";
const CString kDueBeforeOut = "The due date cannot be before the check-out date.";
const CString kAlreadyOut = "The item is already checked out. It must be returned before it can be checked out again.";
const CString kAlreadyReserved = "The item is already reserved for this borrower.";
const CString kHasIt = "The item is checked out to this borrower.";
const CString kNotOut = "The item is not checked out.";
const CString kReturnBeforeOut = "The return date cannot be before the check-out date.";
const CString kNoReservation = "Please choose the reservation to cancel.";

bool IsLoan(const CCheckOutState* entry)
{
    return entry && entry->GetCheckedOutDate().IsValid() && !entry->GetReturnedDate().IsValid();
}

CCheckOutState* FindLoan(const CCheckOut& history)
{
    for (int i = 0; i < history.GetEntryCount(); ++i)
        if (IsLoan(history.GetEntryAt(i)))
            return history.GetEntryAt(i);
    return nullptr;
}

} // namespace

bool CCheckOutActions::IsReservation(const CCheckOutState* entry)
{
    return entry && entry->GetReservedDate().IsValid() && !entry->GetCheckedOutDate().IsValid()
        && !entry->GetReturnedDate().IsValid();
}

CCheckOutState* CCheckOutActions::FindReservation(const CCheckOut& history, int personID)
{
    for (int i = 0; i < history.GetEntryCount(); ++i) {
        CCheckOutState* entry = history.GetEntryAt(i);
        if (IsReservation(entry) && entry->GetPersonID() == personID)
            return entry;
    }
    return nullptr;
}

void CCheckOutActions::Settle(CCheckOut& history)
{
    history.Sort();
    int order = 0;
    for (int i = 0; i < history.GetEntryCount(); ++i) {
        CCheckOutState* entry = history.GetEntryAt(i);
        if (IsReservation(entry))
            entry->SetReservationOrder(++order);
    }
}

CString CCheckOutActions::Reserve(CCheckOut& history, int personID, const COleDateTime& when)
{
    if (personID < 1)
        return kNoBorrower;
    if (!when.IsValid())
        return kNoDate;
    Settle(history);
    if (FindReservation(history, personID))
        return kAlreadyReserved;
    if (const CCheckOutState* loan = FindLoan(history); loan && loan->GetPersonID() == personID)
        return kHasIt;
    auto entry = std::make_unique<CCheckOutState>();
    entry->SetPersonID(personID);
    entry->SetReservedDate(when);
    int last = 0;
    for (int i = 0; i < history.GetEntryCount(); ++i)
        if (IsReservation(history.GetEntryAt(i)))
            ++last;
    entry->SetReservationOrder(last + 1);
    history.Add(entry.release());
    Settle(history);
    return CString();
}

CString CCheckOutActions::CheckOut(
    CCheckOut& history, int personID, const COleDateTime& checkedOut, const COleDateTime& due)
{
    if (personID < 1)
        return kNoBorrower;
    if (!checkedOut.IsValid())
        return kNoDate;
    if (due.GetStatus() == COleDateTime::invalid)
        return kBadDue;
    if (due.IsValid() && due < checkedOut)
        return kDueBeforeOut;
    Settle(history);
    if (FindLoan(history))
        return kAlreadyOut;
    CCheckOutState* entry = FindReservation(history, personID);
    if (!entry) {
        auto loan = std::make_unique<CCheckOutState>();
        loan->SetPersonID(personID);
        history.Add(loan.get());
        entry = loan.release();
    }
    entry->SetCheckedOutDate(checkedOut);
    entry->SetCheckedDueDate(due.IsValid() ? due : COleDateTime::Null());
    Settle(history);
    return CString();
}

CString CCheckOutActions::Return(CCheckOut& history, const COleDateTime& when)
{
    if (!when.IsValid())
        return kNoDate;
    CCheckOutState* loan = FindLoan(history);
    if (!loan)
        return kNotOut;
    if (when < loan->GetCheckedOutDate())
        return kReturnBeforeOut;
    loan->SetReturnedDate(when);
    Settle(history);
    return CString();
}

CString CCheckOutActions::CancelReservation(CCheckOut& history, CCheckOutState* entry)
{
    bool listed = false;
    for (int i = 0; i < history.GetEntryCount() && !listed; ++i)
        listed = history.GetEntryAt(i) == entry;
    if (!listed || !IsReservation(entry))
        return kNoReservation;
    history.Delete(entry);
    Settle(history);
    return CString();
}

COleDateTime CCheckOutActions::ProposeDueDate(const CCheckoutSettings& settings, const COleDateTime& checkedOut)
{
    if (!settings.GetSpecifyDuration() || !checkedOut.IsValid())
        return COleDateTime::Null();
    const COleDateTime due = settings.GetEndDate(checkedOut);
    if (settings.GetDurationType() == coHours || !due.IsValid())
        return due;
    // Due back on that day, not at the hour it was handed out.
    return COleDateTime(due.GetYear(), due.GetMonth(), due.GetDay(), 0, 0, 0);
}

bool CCheckOutActions::IsOverdue(const CCheckOutState& entry, const COleDateTime& now)
{
    if (!IsLoan(&entry) || !entry.GetCheckedDueDate().IsValid() || !now.IsValid())
        return false;
    const COleDateTime& due = entry.GetCheckedDueDate();
    double wholeDays = 0;
    if (std::modf(due.GetValue(), &wholeDays) != 0.0)
        return due < now;
    return CDateTimeUtils::CalendarDaysBetween(due, now) > 0;
}
