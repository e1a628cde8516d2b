#include "data/model/CheckOutState.h"

#include "data/model/PersonMgr.h"
#include "platform/util/Archive.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/Person.h"

namespace {

bool IsEarlier(const COleDateTime& a, const COleDateTime& b)
{
    return CDateTimeUtils::Compare(a, b) < 0;
}

} // namespace

CCheckOutState::CCheckOutState()
    : m_reservedDate(COleDateTime::Null())
    , m_checkedOutDate(COleDateTime::Null())
    , m_checkedDueDate(COleDateTime::Null())
    , m_returnedDate(COleDateTime::Null())
{
}

bool CCheckOutState::operator==(const CCheckOutState& other) const
{
    return CDateTimeUtils::Compare(m_reservedDate, other.m_reservedDate) == 0
        && CDateTimeUtils::Compare(m_checkedOutDate, other.m_checkedOutDate) == 0
        && CDateTimeUtils::Compare(m_checkedDueDate, other.m_checkedDueDate) == 0
        && CDateTimeUtils::Compare(m_returnedDate, other.m_returnedDate) == 0;
}

bool CCheckOutState::operator<(const CCheckOutState& other) const
{
    const bool returned = m_returnedDate.IsValid();
    const bool otherReturned = other.m_returnedDate.IsValid();
    if (returned)
        return !otherReturned || IsEarlier(m_returnedDate, other.m_returnedDate);
    if (m_checkedOutDate.IsValid())
        return !otherReturned;
    if (otherReturned || other.m_checkedOutDate.IsValid())
        return false;
    if (m_reservationOrder < 1)
        return IsEarlier(m_reservedDate, other.m_reservedDate);
    return m_reservationOrder < other.m_reservationOrder;
}

void CCheckOutState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(m_personID);
        ar.WriteDate(m_reservedDate);
        ar.WriteDate(m_checkedOutDate);
        ar.WriteDate(m_checkedDueDate);
        ar.WriteDate(m_returnedDate);
        return;
    }
    ar.ReadWord();
    int personID = ar.ReadInt();
    const COleDateTime reserved = ar.ReadDate();
    const COleDateTime checkedOut = ar.ReadDate();
    const COleDateTime due = ar.ReadDate();
    const COleDateTime returned = ar.ReadDate();
    // A person removed since the entry was saved reads as nobody.
    if (personID > 0) {
        CPersonMgr* persons = CPersonMgr::GetInstance();
        if (!persons || !persons->GetPerson(personID))
            personID = 0;
    }
    m_personID = personID;
    m_reservedDate = reserved;
    m_checkedOutDate = checkedOut;
    m_checkedDueDate = due;
    m_returnedDate = returned;
}
