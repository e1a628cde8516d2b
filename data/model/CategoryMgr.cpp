#include "data/model/CategoryMgr.h"

#include <memory>
#include <new>

#include "data/model/Category.h"
#include "data/model/RecordList.h"
#include "platform/util/Archive.h"

namespace {

CCategoryMgr* s_instance = nullptr;
CCategoryMgr::CCreatedHook s_createdHook;
const void* s_hookOwner = nullptr;

// Version word, id, and the one-byte prefixes of two empty strings.
constexpr std::size_t kMinCategoryBytes = 2 + 4 + 1 + 1;

} // namespace

CCategoryMgr* CCategoryMgr::GetInstance()
{
    if (!s_instance) {
        try {
            s_instance = new CCategoryMgr();
        } catch (const std::bad_alloc&) {
            s_instance = nullptr;
        }
    }
    return s_instance;
}

void CCategoryMgr::DeleteInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

CCategoryMgr::CCategoryMgr()
{
    EnsureNoneCategory();
}

CCategoryMgr::~CCategoryMgr()
{
    RemoveAll();
}

CCategory* CCategoryMgr::GetCategory(int id) const
{
    return RecordList::FindByID(m_idMap, m_nextID, id);
}

CCategory* CCategoryMgr::GetCategoryNone() const
{
    return m_categories.IsEmpty() ? nullptr : m_categories.GetHead();
}

CCategory* CCategoryMgr::GetCategory(const CString& name, bool create)
{
    if (name.empty() || name == CCategory::GetNoCategory())
        return GetCategoryNone();
    for (CCategory* category : m_categories)
        if (category->GetName() == name)
            return category;
    if (!create)
        return nullptr;
    CCategory* made = nullptr;
    try {
        auto category = std::make_unique<CCategory>(name, CString());
        if (!Append(category.get()))
            return nullptr;
        made = category.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // Told once the list owns it, so that a failing hook leaves no dangling entry.
    if (s_createdHook)
        s_createdHook(made->GetUniqueID());
    return made;
}

bool CCategoryMgr::Add(CCategory* category)
{
    if (!Append(category))
        return false;
    if (s_createdHook)
        s_createdHook(category->GetUniqueID());
    return true;
}

bool CCategoryMgr::Append(CCategory* category)
{
    return RecordList::Append(m_categories, m_idMap, m_nextID, category);
}

void CCategoryMgr::SetCreatedHook(const void* owner, CCreatedHook hook)
{
    s_createdHook = std::move(hook);
    s_hookOwner = owner;
}

void CCategoryMgr::ClearCreatedHook(const void* owner)
{
    if (owner != s_hookOwner)
        return;
    s_createdHook = nullptr;
    s_hookOwner = nullptr;
}

bool CCategoryMgr::Remove(CCategory* category)
{
    return RecordList::Remove(m_categories, m_idMap, category);
}

void CCategoryMgr::RemoveAll()
{
    RecordList::DestroyAll(m_categories, m_idMap);
}

void CCategoryMgr::EnsureNoneCategory()
{
    if (!m_categories.IsEmpty())
        return;
    auto none = std::make_unique<CCategory>(CCategory::GetNoCategory(), CString());
    if (Append(none.get()))
        none.release();
}

void CCategoryMgr::IncreaseUse(int id)
{
    if (CCategory* category = GetCategory(id))
        category->IncreaseDepItemsCount();
}

void CCategoryMgr::DecreaseUse(int id)
{
    if (CCategory* category = GetCategory(id))
        category->DecreaseDepItemsCount();
}

void CCategoryMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RecordList::Store(ar, m_categories, m_nextID);
        return;
    }
    ar.ReadWord();
    const int storedNextID = ar.ReadInt();
    RemoveAll();
    try {
        RecordList::LoadRecords(ar, m_categories, m_idMap, m_nextID, storedNextID, kMinCategoryBytes,
            [] { return std::make_unique<CCategory>(); });
    } catch (...) {
        // Whatever was read whole stays; the list is never left without its none category.
        EnsureNoneCategory();
        throw;
    }
    EnsureNoneCategory();
}
