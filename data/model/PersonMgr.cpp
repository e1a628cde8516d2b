#include "data/model/PersonMgr.h"

#include <memory>
#include <new>

#include "data/model/RecordList.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

namespace {

CPersonMgr* s_instance = nullptr;

// A person record holds at least its version word and id.
constexpr std::size_t kMinPersonBytes = 2 + 4;

} // namespace

CPersonMgr* CPersonMgr::GetInstance()
{
    if (!s_instance)
        s_instance = new (std::nothrow) CPersonMgr();
    return s_instance;
}

void CPersonMgr::DeleteInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

CPersonMgr::~CPersonMgr()
{
    RecordList::DestroyAll(m_persons, m_idMap);
}

CPerson* CPersonMgr::GetPerson(int id) const
{
    return RecordList::FindByID(m_idMap, m_nextID, id);
}

CPerson* CPersonMgr::GetPerson(const CString& first, const CString& middle, const CString& last, bool create)
{
    if (first.empty() && middle.empty() && last.empty())
        return nullptr;
    for (CPerson* person : m_persons)
        if (CStringUtils::EqualsNoCase(person->GetFirstName(), first)
            && CStringUtils::EqualsNoCase(person->GetMiddleName(), middle)
            && CStringUtils::EqualsNoCase(person->GetLastName(), last))
            return person;
    if (!create)
        return nullptr;
    try {
        auto person = std::make_unique<CPerson>(first, middle, last);
        if (!RecordList::Append(m_persons, m_idMap, m_nextID, person.get()))
            return nullptr;
        return person.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool CPersonMgr::Add(CPerson* person)
{
    if (!person)
        return false;
    for (const CPerson* listed : m_persons)
        if (*listed == *person)
            return false;
    return RecordList::Append(m_persons, m_idMap, m_nextID, person);
}

bool CPersonMgr::Remove(CPerson* person)
{
    return RecordList::Remove(m_persons, m_idMap, person);
}

void CPersonMgr::GetNames(CStringList& names) const
{
    for (const CPerson* person : m_persons)
        names.AddTail(person->FormName(true));
}

void CPersonMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RecordList::Store(ar, m_persons, m_nextID);
        return;
    }
    ar.ReadWord();
    const int storedNextID = ar.ReadInt();
    RecordList::LoadRecords(
        ar, m_persons, m_idMap, m_nextID, storedNextID, kMinPersonBytes, [] { return std::make_unique<CPerson>(); });
}
