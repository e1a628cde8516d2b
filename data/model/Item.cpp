#include "data/model/Item.h"

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

CItemCategory::CItemCategory(bool usesCategory)
    : m_customValues(usesCategory ? new CCustomValueMgr : nullptr)
    , m_id(usesCategory ? 1 : 0)
{
}

CItemCategory::CItemCategory(const CItemCategory& source)
    : CItemCategory(source.m_id > 0)
{
    MoveToCategory(source.m_id);
    if (m_customValues && source.m_customValues)
        *m_customValues = *source.m_customValues;
}

CItemCategory& CItemCategory::operator=(const CItemCategory& source)
{
    if (this != &source)
        CopyCategoryFrom(&source);
    return *this;
}

CItemCategory::~CItemCategory()
{
    delete m_customValues;
}

void CItemCategory::CopyCategoryFrom(const CItemCategory* source)
{
    if (source == this)
        return;
    MoveToCategory(source ? source->m_id : 0);
    if (m_id > 0) {
        // An item with a category always keeps a value array: its record
        // carries one without a flag.
        if (!m_customValues)
            m_customValues = new CCustomValueMgr;
        if (source && source->m_customValues)
            *m_customValues = *source->m_customValues;
        else
            *m_customValues = CCustomValueMgr();
    }
}

void CItemCategory::MoveToCategory(int id)
{
    // Id 0 marks a class without categories, and no category has an id below 1.
    if (m_id == 0 || id < 1 || id == m_id)
        return;
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!categories)
        return;
    categories->DecreaseUse(m_id);
    categories->IncreaseUse(id);
    m_id = id;
}

CItem& CItem::operator=(const CItem& source)
{
    if (this != &source) {
        if (CItemCategory* category = Category())
            category->CopyCategoryFrom(source.Category());
    }
    return *this;
}

bool CItem::operator==(const CItem& other) const
{
    return this != &other;
}

void CItem::GetData(CMapStringToString& data) const
{
    CDataMapUtils::Fill(
        data, CMediaUtils::MEDIA_PROP_MEDIA, CMediaUtils::GetMediaNameSingular(CMediaUtils::GetItemMediaID(this)));
    if (!UsesCategory())
        return;
    const CCategoryMgr* categories = CCategoryMgr::GetInstance();
    const CCategory* category = categories ? categories->GetCategory(GetCategoryID()) : nullptr;
    CDataMapUtils::Fill(
        data, CMediaUtils::MEDIA_PROP_CATEGORY, category ? category->GetName() : CCategory::GetNoCategory());
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_CATEGORYDESC, category ? category->GetDescription() : CString());
}

void CItem::SetData(const CMapStringToString& data, bool applyCategory)
{
    if (!UsesCategory() || !applyCategory)
        return;
    const CString* name = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_CATEGORY);
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!name || !categories)
        return;
    const int countBefore = categories->GetCount();
    CCategory* category = categories->GetCategory(*name, true);
    if (!category)
        return;
    if (categories->GetCount() > countBefore) {
        if (const CString* description = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_CATEGORYDESC))
            category->SetDescription(*description);
    }
    SetCategoryID(category->GetUniqueID());
}

void CItem::Serialize(CArchive& ar)
{
    ar.SerializeVersion(1);
    if (ar.IsStoring()) {
        const int id = GetCategoryID();
        ar.WriteInt(id);
        if (id > 0) {
            if (CCustomValueMgr* values = GetCustomValues())
                values->Serialize(ar);
            else
                CCustomValueMgr().Serialize(ar);
        }
        return;
    }
    const int id = ar.ReadInt();
    CItemCategory* category = id > 0 ? MakeCategory() : Category();
    if (category)
        category->m_id = id > 0 ? id : 0;
    if (id <= 0)
        return;
    if (!category) {
        // Nowhere to keep them: read past them.
        CCustomValueMgr().Serialize(ar);
        return;
    }
    if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
        categories->IncreaseUse(id);
    if (!category->m_customValues)
        category->m_customValues = new CCustomValueMgr;
    category->m_customValues->Serialize(ar);
}
