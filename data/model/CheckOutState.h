#pragma once
// One reservation or loan of a media item to a person; its state follows
// from which dates are set.

#include "platform/util/OleDateTime.h"
#include "platform/util/SmallObjectPool.h"
#include "platform/util/VemoTypes.h"

class CArchive;

class CCheckOutState : public CPooledObject {
public:
    // Person 0, reservation order 0, all four dates null.
    CCheckOutState();

    // Place in the reservation queue; never stored.
    int GetReservationOrder() const { return m_reservationOrder; }
    void SetReservationOrder(int order) { m_reservationOrder = order; }
    // Id in CPersonMgr; 0 for nobody.
    int GetPersonID() const { return m_personID; }
    void SetPersonID(int id) { m_personID = id; }
    const COleDateTime& GetReservedDate() const { return m_reservedDate; }
    void SetReservedDate(const COleDateTime& date) { m_reservedDate = date; }
    const COleDateTime& GetCheckedOutDate() const { return m_checkedOutDate; }
    void SetCheckedOutDate(const COleDateTime& date) { m_checkedOutDate = date; }
    const COleDateTime& GetCheckedDueDate() const { return m_checkedDueDate; }
    void SetCheckedDueDate(const COleDateTime& date) { m_checkedDueDate = date; }
    const COleDateTime& GetReturnedDate() const { return m_returnedDate; }
    void SetReturnedDate(const COleDateTime& date) { m_returnedDate = date; }

    // The four dates equal pairwise (CDateTimeUtils::Compare); person and
    // reservation order are not compared.
    bool operator==(const CCheckOutState& other) const;
    // Returned entries (oldest return first), then the checked-out one, then
    // reservations by order (by reserved date while the order is below 1).
    bool operator<(const CCheckOutState& other) const;

    // Record: version word (1), person id, reserved, checked-out, due and
    // returned dates. A loaded person id the person list cannot resolve
    // becomes 0.
    void Serialize(CArchive& ar);

private:
    int m_reservationOrder = 0;
    int m_personID = 0;
    COleDateTime m_reservedDate;
    COleDateTime m_checkedOutDate;
    COleDateTime m_checkedDueDate;
    COleDateTime m_returnedDate;
};
