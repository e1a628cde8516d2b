#include "data/model/Item.h"

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

CItem::CItem(bool usesCategory)
    : m_customValues(usesCategory ? new CCustomValueMgr : nullptr)
    , m_categoryID(usesCategory ? 1 : 0)
{
}

CItem::CItem(const CItem& source)
    : CItem(source.UsesCategory())
{
    SetCategoryID(source.m_categoryID);
    if (m_customValues && source.m_customValues)
        *m_customValues = *source.m_customValues;
}

CItem::~CItem()
{
    delete m_customValues;
}

CItem& CItem::operator=(const CItem& source)
{
    if (this == &source)
        return *this;
    SetCategoryID(source.m_categoryID);
    if (UsesCategory()) {
        // An item with a category always keeps a value array: its record
        // carries one without a flag.
        if (!m_customValues)
            m_customValues = new CCustomValueMgr;
        if (source.m_customValues)
            *m_customValues = *source.m_customValues;
        else
            *m_customValues = CCustomValueMgr();
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
    const CCategory* category = categories ? categories->GetCategory(m_categoryID) : nullptr;
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
        ar.WriteInt(m_categoryID);
        if (m_categoryID > 0) {
            if (m_customValues)
                m_customValues->Serialize(ar);
            else
                CCustomValueMgr().Serialize(ar);
        }
        return;
    }
    const int id = ar.ReadInt();
    m_categoryID = id > 0 ? id : 0;
    if (m_categoryID > 0) {
        if (CCategoryMgr* categories = CCategoryMgr::GetInstance())
            categories->IncreaseUse(m_categoryID);
        if (!m_customValues)
            m_customValues = new CCustomValueMgr;
        m_customValues->Serialize(ar);
    }
}

void CItem::SetCategoryID(int id)
{
    // Id 0 marks a class without categories, and no category has an id below 1.
    if (m_categoryID == 0 || id < 1 || id == m_categoryID)
        return;
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    if (!categories)
        return;
    categories->DecreaseUse(m_categoryID);
    categories->IncreaseUse(id);
    m_categoryID = id;
}
