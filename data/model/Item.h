#pragma once
// The abstract root of every catalogued thing: the item's category and the
// values of its user-defined fields.

#include "platform/util/SmallObjectPool.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CCustomValueMgr;

// The category id and the custom values of an item. Only the classes that
// can have a category keep one (media, magazine articles); the many parts
// without a category of their own (tracks, chapters) carry neither.
class CItemCategory {
public:
    // usesCategory: category id 1 (the none category) and an empty custom
    // value manager; otherwise category id 0 and no custom values.
    explicit CItemCategory(bool usesCategory);
    // Uses categories when source does; the id through MoveToCategory (use
    // counts follow), the custom values deeply.
    CItemCategory(const CItemCategory& source);
    CItemCategory& operator=(const CItemCategory& source);
    ~CItemCategory();

private:
    // Read and written through CItem only: a medium derives from both.
    friend class CItem;

    // See CItem::SetCategoryID.
    void MoveToCategory(int id);
    // CItem::operator=; a null source stands for an item without categories.
    void CopyCategoryFrom(const CItemCategory* source);

    CCustomValueMgr* m_customValues = nullptr;
    // Last, so that a deriving class's first small field fills the space
    // after it.
    int m_id = 0;
};

// Items and sub-items are many and small: they live in pool memory.
class CItem : public CPooledObject {
public:
    CItem() = default;
    // Nothing of its own to copy: a class that keeps a category copies it.
    CItem(const CItem& source) = default;
    virtual ~CItem() = default;

    // Assigns the category (SetCategoryID, use counts follow) and, when this
    // item uses categories, the custom values deeply (none when the source
    // has none); assignment to itself does nothing.
    virtual CItem& operator=(const CItem& source);
    // "Is a duplicate of": false for the same object; true otherwise here,
    // concrete classes compare their key fields.
    virtual bool operator==(const CItem& other) const;
    // Fills the values of the keys already in the map that the item knows:
    // "Media", and with a category "Category" and "Category Desc."; other
    // keys are left untouched, none is added.
    virtual void GetData(CMapStringToString& data) const;
    // Inverse of GetData for the editable keys. applyCategory true: every
    // known key present is written and "Category" is looked up (created when
    // missing, with "Category Desc." as its description) and set. false (an
    // import merging into an existing item): only fields still empty or unset
    // are filled and the category is kept.
    virtual void SetData(const CMapStringToString& data, bool applyCategory);
    // Record: version word (1), category id (32-bit), then the custom values
    // when the id is above 0 and the item has them. Loading a positive id
    // raises that category's use count. Derived classes call this first.
    virtual void Serialize(CArchive& ar) = 0;
    // The media type id (1..24) of a medium or of the medium a part belongs
    // to; 0 for anything else. One virtual call, where a type test per item
    // showed in every pass over a library.
    virtual int GetMediaType() const { return 0; }

    // 0 for an item whose class does not use categories.
    int GetCategoryID() const
    {
        const CItemCategory* category = Category();
        return category ? category->m_id : 0;
    }
    bool UsesCategory() const { return GetCategoryID() > 0; }
    // Ignored while the id is 0 and for ids below 1; otherwise moves the use
    // count from the old category to the new one (through the category list)
    // and stores the id.
    void SetCategoryID(int id)
    {
        if (CItemCategory* category = Category())
            category->MoveToCategory(id);
    }

    // Null for items without categories. The item owns it.
    CCustomValueMgr* GetCustomValues() const
    {
        const CItemCategory* category = Category();
        return category ? category->m_customValues : nullptr;
    }

protected:
    // The category the item keeps; null for a class that keeps none.
    virtual CItemCategory* Category() const { return nullptr; }
    // Where a loaded positive category id goes: Category(), or one made for
    // it by a class that keeps a category only when it has one.
    virtual CItemCategory* MakeCategory() { return Category(); }
};
