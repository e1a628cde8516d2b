#include "data/model/MagazineMgr.h"

#include <memory>
#include <new>

#include "data/model/Magazine.h"
#include "data/model/RecordList.h"
#include "platform/util/Archive.h"

namespace {

CMagazineMgr* s_instance = nullptr;

// Version, subscription, id, cost, three empty strings and the publisher id.
constexpr std::size_t kMinMagazineBytes = 2 + 2 + 4 + 8 + 1 + 1 + 1 + 4;

} // namespace

CMagazineMgr* CMagazineMgr::GetInstance()
{
    if (!s_instance)
        s_instance = new (std::nothrow) CMagazineMgr();
    return s_instance;
}

void CMagazineMgr::DeleteInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

CMagazineMgr::~CMagazineMgr()
{
    RecordList::DestroyAll(m_magazines, m_idMap);
}

CMagazine* CMagazineMgr::GetMagazine(int id) const
{
    return RecordList::FindByID(m_idMap, m_nextID, id);
}

CMagazine* CMagazineMgr::GetMagazine(const CString& name, bool create)
{
    if (name.empty())
        return nullptr;
    for (CMagazine* magazine : m_magazines)
        if (magazine->GetName() == name)
            return magazine;
    if (!create)
        return nullptr;
    try {
        auto magazine = std::make_unique<CMagazine>(name);
        if (!RecordList::Append(m_magazines, m_idMap, m_nextID, magazine.get()))
            return nullptr;
        return magazine.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool CMagazineMgr::Add(CMagazine* magazine)
{
    if (!magazine)
        return false;
    for (const CMagazine* listed : m_magazines)
        if (*listed == *magazine)
            return false;
    return RecordList::Append(m_magazines, m_idMap, m_nextID, magazine);
}

bool CMagazineMgr::Remove(CMagazine* magazine)
{
    return RecordList::Remove(m_magazines, m_idMap, magazine);
}

void CMagazineMgr::GetNames(CStringList& names) const
{
    for (const CMagazine* magazine : m_magazines)
        names.AddTail(magazine->GetName());
}

void CMagazineMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RecordList::Store(ar, m_magazines, m_nextID);
        return;
    }
    ar.ReadWord();
    const int storedNextID = ar.ReadInt();
    RecordList::LoadRecords(ar, m_magazines, m_idMap, m_nextID, storedNextID, kMinMagazineBytes,
        [] { return std::make_unique<CMagazine>(); });
}
