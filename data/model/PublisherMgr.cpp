#include "data/model/PublisherMgr.h"

#include <memory>
#include <new>

#include "data/model/RecordList.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"

namespace {

CPublisherMgr* s_instance = nullptr;

// A person record holds at least its version word and id.
constexpr std::size_t kMinPublisherBytes = 2 + 4;

} // namespace

CPublisherMgr* CPublisherMgr::GetInstance()
{
    if (!s_instance)
        s_instance = new (std::nothrow) CPublisherMgr();
    return s_instance;
}

void CPublisherMgr::DeleteInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

CPublisherMgr::~CPublisherMgr()
{
    RecordList::DestroyAll(m_publishers, m_idMap);
}

CPerson* CPublisherMgr::GetPublisher(int id) const
{
    return RecordList::FindByID(m_idMap, m_nextID, id);
}

CPerson* CPublisherMgr::GetPublisher(const CString& name, bool create)
{
    if (name.empty())
        return nullptr;
    for (CPerson* publisher : m_publishers)
        if (publisher->GetLastName() == name)
            return publisher;
    if (!create)
        return nullptr;
    try {
        auto publisher = std::make_unique<CPerson>(CString(), CString(), name);
        if (!RecordList::Append(m_publishers, m_idMap, m_nextID, publisher.get()))
            return nullptr;
        return publisher.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool CPublisherMgr::Add(CPerson* publisher)
{
    if (!publisher)
        return false;
    for (const CPerson* listed : m_publishers)
        if (*listed == *publisher)
            return false;
    return RecordList::Append(m_publishers, m_idMap, m_nextID, publisher);
}

bool CPublisherMgr::Remove(CPerson* publisher)
{
    return RecordList::Remove(m_publishers, m_idMap, publisher);
}

void CPublisherMgr::GetNames(CStringList& names) const
{
    for (const CPerson* publisher : m_publishers)
        names.AddTail(publisher->GetLastName());
}

void CPublisherMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RecordList::Store(ar, m_publishers, m_nextID);
        return;
    }
    ar.ReadWord();
    const int storedNextID = ar.ReadInt();
    RecordList::LoadRecords(ar, m_publishers, m_idMap, m_nextID, storedNextID, kMinPublisherBytes,
        [] { return std::make_unique<CPerson>(); });
}
