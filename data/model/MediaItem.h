#pragma once
// A physical medium: the data all media share, its owned parts (check-out
// history, report properties, special features) and its ordered sub-items.

#include "data/model/Item.h"
#include "data/model/ItemLists.h"
#include "platform/util/OleDateTime.h"

class CCheckOut;
class CReportProperties;
class CSpecialFeatures;
class CMediaSubItem;

// The category is a base rather than a member, so that the first small
// fields fill the space after it.
class CMediaItem : public CItem, private CItemCategory {
public:
    // Each concrete class passes its fixed combination. usesPublisher false
    // fixes the publisher id at -1; the three has-flags create the parts.
    CMediaItem(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
        bool hasSpecialFeatures, const CString& subItemSortOrder);
    // Copies the plain fields; the title becomes "copy of " + title. Starts
    // without check-out, report properties, special features or sub-items:
    // the copy operations of CMediaItemT (MediaItemT.h) call CopyDynamicData.
    CMediaItem(const CMediaItem& source);
    // Destroys the sub-items (category of each set to 1 first) and the parts.
    ~CMediaItem() override;

    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CItem's: version word (1), year, price, library id,
    // location, date acquired, title, description, sub-item sort order,
    // check-out flag [+ record], publisher id (unknown ids load as 0),
    // report-properties flag [+ record], special-features flag [+ record],
    // sub-item count and each sub-item (made by CreateSubItem(nullptr)).
    void Serialize(CArchive& ar) override;

protected:
    // Orders the sub-items by the sub-item sort order; nothing here.
    virtual void SortSubItems();

public:
    // As the copy constructor; destroys its own check-out, report properties
    // and special features (leaving them null); sub-items are not touched.
    virtual CMediaItem& operator=(const CMediaItem& source);
    // "[<singular media name>] " when withMediaName, then "<library id>: "
    // when there is one; concrete classes append. sortProp unused here.
    virtual CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const;
    // True with a sub-item, a description, or a title that is not effectively
    // empty and is neither "copy of " nor "\"copy of \"".
    virtual bool HasSignificantData() const;
    // A new sub-item of the class's own sub-item type: a copy of source when
    // it is of that type, a default one otherwise; null for classes without
    // sub-items. The caller owns it.
    virtual CMediaSubItem* CreateSubItem(CMediaSubItem* source) const = 0;
    // A new copy of the same concrete class (copy constructor); caller owns it.
    virtual CMediaItem* Clone() const = 0;
    // The concrete class's media type id (1..24).
    int GetMediaType() const override = 0;

    int GetYearPublished() const { return m_yearPublished; }
    void SetYearPublished(int year) { m_yearPublished = year; }
    // -1 when the class uses no publishers, 0 for none chosen.
    int GetPublisherID() const { return m_publisherID; }
    // Ignored while the id is -1; a negative id is stored as 0 (none).
    void SetPublisherID(int id)
    {
        if (m_publisherID != -1)
            m_publisherID = id < 0 ? 0 : id;
    }
    bool UsesPublisher() const { return m_publisherID != -1; }
    double GetPrice() const { return m_price; }
    void SetPrice(double price) { m_price = price; }
    const COleDateTime& GetDateAcquired() const { return m_dateAcquired; }
    void SetDateAcquired(const COleDateTime& date) { m_dateAcquired = date; }
    const CString& GetLibraryID() const { return m_libraryID; }
    void SetLibraryID(const CString& id) { m_libraryID = id; }
    const CString& GetLocation() const { return m_location; }
    void SetLocation(const CString& location) { m_location = location; }
    const CString& GetTitle() const { return m_title; }
    void SetTitle(const CString& title) { m_title = title; }
    const CString& GetDescription() const { return m_description; }
    void SetDescription(const CString& description) { m_description = description; }

    // The owned parts; each is null for a class (or, for check-out and
    // report properties, a copy) without it. An empty check-out history and
    // report properties without a picture are only made when first asked for.
    CCheckOut* GetCheckOut() const;
    CReportProperties* GetReportProperties() const;
    CSpecialFeatures* GetSpecialFeatures() const { return m_specialFeatures; }
    // For reading without making the part: the part when made, a shared
    // empty one while it is not, null when the item has none.
    const CCheckOut* PeekCheckOut() const;
    const CReportProperties* PeekReportProperties() const;

    const CString& GetSubItemSortOrder() const { return *m_subItemSortOrder; }
    // Stores order and calls SortSubItems, unless order is unchanged and not
    // force.
    void SetSubItemSortOrder(const CString& order, bool force);

    // Sub-items in list order.
    int GetSubItemCount() const { return static_cast<int>(m_subItems.GetCount()); }
    POSITION GetHeadSubItem() const { return m_subItems.GetHeadPosition(); }
    CMediaSubItem* GetNextSubItem(POSITION& pos) const { return m_subItems.GetNext(pos); }
    // Appends (null ignored), takes ownership and sets the parent to this.
    void AddSubItem(CMediaSubItem* subItem);
    // Removes and destroys that sub-item (its category set to 1 first);
    // unknown or null is ignored.
    void DeleteSubItem(CMediaSubItem* subItem);
    void DeleteSubItems();
    // By list position (0-based); null outside 0..count-1.
    CMediaSubItem* GetSubItemAt(int index) const;
    // The list position of subItem, or -1 when it is not this medium's.
    int FindSubItem(const CMediaSubItem* subItem) const;
    // As AddSubItem, but before position index (appended at or past the end,
    // first below 0).
    void InsertSubItem(int index, CMediaSubItem* subItem);
    // Moves the sub-item at from to position to; false when either is
    // outside 0..count-1.
    bool MoveSubItem(int from, int to);

protected:
    CItemCategory* Category() const final { return const_cast<CMediaItem*>(this); }

    // After the CMediaItem part is copied: a fresh empty check-out when the
    // source has one, copies of report properties and special features, and
    // CreateSubItem copies of every source sub-item with this as parent.
    void CopyDynamicData(const CMediaItem& source);
    CMediaSubItemList& GetSubItems() { return m_subItems; }
    const CMediaSubItemList& GetSubItems() const { return m_subItems; }

private:
    void AssignSortOrder(const CString& order);
    void DropParts();

    int m_yearPublished = 0;
    int m_publisherID = 0;
    bool m_hasCheckOut = false;
    bool m_hasReportProperties = false;
    bool m_ownsSortOrder = false;
    double m_price = 0.0;
    COleDateTime m_dateAcquired = COleDateTime::Null();
    // Made on demand while m_has... is set.
    mutable CCheckOut* m_checkOut = nullptr;
    mutable CReportProperties* m_reportProperties = nullptr;
    CSpecialFeatures* m_specialFeatures = nullptr;
    CString m_libraryID;
    CString m_location;
    CString m_title;
    CString m_description;
    // One of the few orders every item shares, or (m_ownsSortOrder) a copy.
    const CString* m_subItemSortOrder = nullptr;
    CMediaSubItemList m_subItems;
};
