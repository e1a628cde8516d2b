#pragma once
// The abstract root of every catalogued thing: the item's category and the
// values of its user-defined fields.

#include "platform/util/SmallObjectPool.h"
#include "platform/util/VemoTypes.h"

class CArchive;
class CCustomValueMgr;

// Items and sub-items are many and small: they live in pool memory.
class CItem : public CPooledObject {
public:
    // usesCategory: category id 1 (the none category) and an empty custom
    // value manager; otherwise category id 0 and no custom values, for good.
    explicit CItem(bool usesCategory);
    // Copies the category through SetCategoryID (use counts follow) and, when
    // both use categories, the custom values deeply.
    CItem(const CItem& source);
    virtual ~CItem();

    // As the copy constructor; assignment to itself does nothing.
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

    int GetCategoryID() const { return m_categoryID; }
    bool UsesCategory() const { return m_categoryID > 0; }
    // Ignored while the id is 0 and for ids below 1; otherwise moves the use
    // count from the old category to the new one (through the category list)
    // and stores the id.
    void SetCategoryID(int id);

    // Null for items without categories. The item owns it.
    CCustomValueMgr* GetCustomValues() const { return m_customValues; }

private:
    // The id last, so that a derived class's first small field fills the
    // space after it.
    CCustomValueMgr* m_customValues = nullptr;
    int m_categoryID = 0;
};
