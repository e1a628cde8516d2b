#pragma once
// A part of a medium (chapter, track, article, recording) that knows the
// medium holding it.

#include "data/model/Item.h"

class CMediaItem;

class CMediaSubItem : public CItem {
public:
    // usesCategory: the sub-item has a category and custom values of its
    // own (see CItem); most have neither.
    explicit CMediaSubItem(bool usesCategory);
    // Copies the category; the copy belongs to no medium yet.
    CMediaSubItem(const CMediaSubItem& source);
    ~CMediaSubItem() override;

    // False for the same object; otherwise true when both have the same
    // parent or duplicate parents (CMediaItem::operator==). Concrete classes
    // add their key fields.
    bool operator==(const CItem& other) const override;
    // The CItem keys, then the parent's GetData on the same map; concrete
    // sub-items write their own values afterwards.
    void GetData(CMapStringToString& data) const override;
    // Record after CItem's: version word (1); concrete fields follow.
    void Serialize(CArchive& ar) override;

    // Copies the CItem part and sets the parent to null.
    virtual CMediaSubItem& operator=(const CMediaSubItem& source);
    // Whether the sub-item holds enough data to be kept.
    virtual bool HaveValidData() const = 0;
    // The concrete class's media type id (1..24), as its medium's.
    int GetMediaType() const override = 0;

    // Non-owning; null while the sub-item belongs to no medium.
    CMediaItem* GetParent() const { return m_linked ? m_link->parent : m_parent; }
    void SetParent(CMediaItem* parent) { (m_linked ? m_link->parent : m_parent) = parent; }

protected:
    CItemCategory* Category() const override { return m_linked ? &m_link->category : nullptr; }
    CItemCategory* MakeCategory() override;

private:
    // The parent beside the category of a sub-item that has one.
    struct CCategoryLink : CPooledObject {
        explicit CCategoryLink(const CItemCategory& from)
            : category(from)
        {
        }
        CMediaItem* parent = nullptr;
        CItemCategory category;
    };

    void Link(const CItemCategory& category);

    // m_link while m_linked, else m_parent: a sub-item without a category
    // spends nothing on one.
    union {
        CMediaItem* m_parent = nullptr;
        CCategoryLink* m_link;
    };
    // Last, so that a deriving class's first small field fills the space
    // after it.
    bool m_linked = false;
};
