#pragma once
// What a lender does with an item's history: reserve it for a borrower, check
// it out (with a due date), take it back, cancel a reservation. Each action
// checks everything first and either changes the history whole (sorted, the
// reservation queue numbered 1, 2, 3... in order) or refuses with a message
// and changes nothing.

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CCheckOut;
class CCheckOutState;
class CCheckoutSettings;

class CCheckOutActions {
public:
    // Message titles of the actions.
    static inline const CString TITLE_RESERVE = "Reserve";
    static inline const CString TITLE_CHECK_OUT = "Check Out";
    static inline const CString TITLE_RETURN = "Return";
    static inline const CString TITLE_CANCEL = "Cancel Reservation";

    // Each returns "" when done, else the message saying why nothing was done.
    // A new reservation at the end of the queue. Refused without a borrower
    // or a valid date, and for a borrower who has reserved or borrowed it.
    static CString Reserve(CCheckOut& history, int personID, const COleDateTime& when);
    // Hands the item out: the borrower's reservation becomes the loan, or a
    // new entry is made. A null due date means none. Refused without a
    // borrower, without a valid check-out date, with a due date that is not
    // valid or is before the check-out date, and while the item is out.
    static CString CheckOut(CCheckOut& history, int personID, const COleDateTime& checkedOut, const COleDateTime& due);
    // Ends the loan; the first reservation then leads the queue. Refused
    // when the item is not out, or when is before the check-out date.
    static CString Return(CCheckOut& history, const COleDateTime& when);
    // Deletes a reservation of this history; refused for any other entry.
    static CString CancelReservation(CCheckOut& history, CCheckOutState* entry);

    // The due date the settings propose for a loan starting then: the day
    // alone, unless the loan is counted in hours; the null date when they
    // specify no loan period.
    static COleDateTime ProposeDueDate(const CCheckoutSettings& settings, const COleDateTime& checkedOut);
    // A loan not returned whose due date has passed: by the day, unless the
    // due date carries a time of day (a loan of hours).
    static bool IsOverdue(const CCheckOutState& entry, const COleDateTime& now);
    // A reservation not yet taken up by a loan.
    static bool IsReservation(const CCheckOutState* entry);
    // The borrower's reservation in the history; null without one.
    static CCheckOutState* FindReservation(const CCheckOut& history, int personID);
    // Sorts the history and numbers its reservations 1, 2, 3... in queue
    // order (the order is never stored, so a loaded queue goes by date).
    static void Settle(CCheckOut& history);
};
