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

CPublisherMgr::CNameIndex::CNameIndex(CPublisherMgr* mgr)
    : m_mgr(mgr)
{
    if (m_mgr)
        ++m_mgr->m_nameIndexes;
}

CPublisherMgr::CNameIndex::~CNameIndex()
{
    if (m_mgr && --m_mgr->m_nameIndexes == 0) {
        std::unordered_map<CString, CPerson*>().swap(m_mgr->m_names);
        m_mgr->m_namesStale = true;
    }
}

CPerson* CPublisherMgr::GetPublisher(const CString& name, bool create)
{
    if (name.empty())
        return nullptr;
    const bool indexed = m_nameIndexes > 0;
    if (indexed) {
        if (m_namesStale) {
            m_names.clear();
            for (CPerson* publisher : m_publishers)
                m_names.emplace(publisher->GetLastName(), publisher);
            m_namesStale = false;
        }
        if (const auto found = m_names.find(name); found != m_names.end())
            return found->second;
    } else {
        for (CPerson* publisher : m_publishers)
            if (publisher->GetLastName() == name)
                return publisher;
    }
    if (!create)
        return nullptr;
    try {
        auto publisher = std::make_unique<CPerson>(CString(), CString(), name);
        if (indexed)
            m_names.emplace(name, publisher.get());
        if (!RecordList::Append(m_publishers, m_idMap, m_nextID, publisher.get())) {
            m_namesStale = true;
            return nullptr;
        }
        return publisher.release();
    } catch (const std::bad_alloc&) {
        m_namesStale = true;
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
    m_namesStale = true;
    return RecordList::Append(m_publishers, m_idMap, m_nextID, publisher);
}

bool CPublisherMgr::Remove(CPerson* publisher)
{
    m_namesStale = true;
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
    m_namesStale = true;
    ar.ReadWord();
    const int storedNextID = ar.ReadInt();
    RecordList::LoadRecords(ar, m_publishers, m_idMap, m_nextID, storedNextID, kMinPublisherBytes,
        [] { return std::make_unique<CPerson>(); });
}
