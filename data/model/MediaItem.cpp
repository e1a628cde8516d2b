#include "data/model/MediaItem.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>

#include "data/model/CheckOut.h"
#include "data/model/DataMapUtils.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PublisherMgr.h"
#include "data/model/ReportProperties.h"
#include "data/model/SpecialFeatures.h"
#include "platform/util/Archive.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

namespace {

const CString COPY_OF = "copy of ";

// Destroys a sub-item that leaves its medium; one with a category first falls
// back to the none category so that its category loses the use.
void DestroySubItem(CMediaSubItem* subItem)
{
    if (!subItem)
        return;
    if (subItem->UsesCategory())
        subItem->SetCategoryID(1);
    delete subItem;
}

// Reads or writes an optional part: a flag, then the part's record. A part
// the stream announces is made afresh, so a reload never merges records.
template <class T> void SerializePart(CArchive& ar, T*& part)
{
    bool present = part != nullptr;
    CMediaUtils::Serialize(ar, present);
    if (ar.IsLoading() && present) {
        delete part;
        part = nullptr;
        part = new T;
    }
    if (present)
        part->Serialize(ar);
}

// As SerializePart for a part that is made only when asked for (has tells
// whether the item has it): a part not made writes a fresh part's record, and
// a record read that equals a fresh part's is not kept, so the file is
// written back the same.
template <class T> void SerializeLazyPart(CArchive& ar, bool& has, T*& part, bool (*isDefault)(const T&))
{
    bool present = has;
    CMediaUtils::Serialize(ar, present);
    if (ar.IsStoring()) {
        if (present)
            part ? part->Serialize(ar) : T().Serialize(ar);
        return;
    }
    if (!present)
        return;
    delete part;
    part = nullptr;
    has = true;
    // Most stored parts are empty: one is read on the stack, and only one
    // worth keeping goes to the heap (two allocations per item less).
    T read;
    read.Serialize(ar);
    if (!isDefault(read))
        part = new T(std::move(read));
}

bool IsEmptyHistory(const CCheckOut& checkOut)
{
    return checkOut.GetEntryCount() == 0;
}

// Loading drops the size of a record without a picture.
bool IsWithoutPicture(const CReportProperties& properties)
{
    return properties.GetImageFile().empty() && properties.GetImageWidth() == 0 && properties.GetImageHeight() == 0;
}

// Sort orders are a handful of property names that every item of a type
// shares; past the first few distinct ones an item keeps a copy of its own.
const CString* SharedSortOrder(const CString& order)
{
    constexpr std::size_t MAX_SHARED = 64;
    static std::mutex lock;
    // Never destroyed: items that outlive the statics still point into it.
    static auto* shared = new std::set<CString>;
    std::lock_guard<std::mutex> guard(lock);
    auto it = shared->find(order);
    if (it != shared->end())
        return &*it;
    if (shared->size() >= MAX_SHARED)
        return nullptr;
    return &*shared->insert(order).first;
}

} // namespace

CMediaItem::CMediaItem(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
    bool hasSpecialFeatures, const CString& subItemSortOrder)
    : CItemCategory(usesCategory)
    , m_publisherID(usesPublisher ? 0 : -1)
    , m_hasCheckOut(hasCheckOut)
    , m_hasReportProperties(hasReportProperties)
    , m_specialFeatures(hasSpecialFeatures ? new CSpecialFeatures : nullptr)
{
    AssignSortOrder(subItemSortOrder);
}

CMediaItem::CMediaItem(const CMediaItem& source)
    : CItem(source)
    , CItemCategory(source)
    , m_yearPublished(source.m_yearPublished)
    , m_publisherID(source.m_publisherID)
    , m_price(source.m_price)
    , m_dateAcquired(source.m_dateAcquired)
    , m_libraryID(source.m_libraryID)
    , m_location(source.m_location)
    , m_title(COPY_OF + source.m_title)
    , m_description(source.m_description)
{
    AssignSortOrder(source.GetSubItemSortOrder());
}

CMediaItem::~CMediaItem()
{
    DeleteSubItems();
    DropParts();
    if (m_ownsSortOrder)
        delete m_subItemSortOrder;
}

void CMediaItem::DropParts()
{
    delete m_checkOut;
    m_checkOut = nullptr;
    m_hasCheckOut = false;
    delete m_reportProperties;
    m_reportProperties = nullptr;
    m_hasReportProperties = false;
    delete m_specialFeatures;
    m_specialFeatures = nullptr;
}

void CMediaItem::AssignSortOrder(const CString& order)
{
    if (m_subItemSortOrder && order == *m_subItemSortOrder)
        return;
    const CString* shared = SharedSortOrder(order);
    const CString* next = shared ? shared : new CString(order);
    if (m_ownsSortOrder)
        delete m_subItemSortOrder;
    m_subItemSortOrder = next;
    m_ownsSortOrder = !shared;
}

CCheckOut* CMediaItem::GetCheckOut() const
{
    if (m_hasCheckOut && !m_checkOut)
        m_checkOut = new CCheckOut;
    return m_checkOut;
}

CReportProperties* CMediaItem::GetReportProperties() const
{
    if (m_hasReportProperties && !m_reportProperties)
        m_reportProperties = new CReportProperties;
    return m_reportProperties;
}

const CCheckOut* CMediaItem::PeekCheckOut() const
{
    static const CCheckOut empty;
    return m_checkOut ? m_checkOut : (m_hasCheckOut ? &empty : nullptr);
}

const CReportProperties* CMediaItem::PeekReportProperties() const
{
    static const CReportProperties empty;
    return m_reportProperties ? m_reportProperties : (m_hasReportProperties ? &empty : nullptr);
}

CMediaItem& CMediaItem::operator=(const CMediaItem& source)
{
    if (this == &source)
        return *this;
    CItem::operator=(source);
    m_yearPublished = source.m_yearPublished;
    m_publisherID = source.m_publisherID;
    m_price = source.m_price;
    m_dateAcquired = source.m_dateAcquired;
    m_libraryID = source.m_libraryID;
    m_location = source.m_location;
    m_title = COPY_OF + source.m_title;
    m_description = source.m_description;
    AssignSortOrder(source.GetSubItemSortOrder());
    DropParts();
    return *this;
}

void CMediaItem::CopyDynamicData(const CMediaItem& source)
{
    if (this == &source)
        return;
    delete m_checkOut;
    m_checkOut = nullptr;
    m_hasCheckOut = source.m_hasCheckOut;
    delete m_reportProperties;
    m_reportProperties = source.m_reportProperties ? new CReportProperties(*source.m_reportProperties) : nullptr;
    m_hasReportProperties = source.m_hasReportProperties;
    delete m_specialFeatures;
    m_specialFeatures = source.m_specialFeatures ? new CSpecialFeatures(*source.m_specialFeatures) : nullptr;

    // Assignment must not leave the old sub-items beside the copies.
    DeleteSubItems();
    for (CMediaSubItem* subItem : source.m_subItems) {
        if (CMediaSubItem* copy = subItem ? CreateSubItem(subItem) : nullptr) {
            m_subItems.AddTail(copy);
            copy->SetParent(this);
        }
    }
}

void CMediaItem::GetData(CMapStringToString& data) const
{
    CItem::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_TITLE, m_title);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_DESCRIPTION, m_description);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_LIBRARYID, m_libraryID);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_LOCATION, m_location);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_YEAR, [&] { return std::to_string(m_yearPublished); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_PRICE,
        [&] { return CNumberTextConv::DoubleToString(m_price, 2, false, 0, "", false); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_DATEACQ,
        [&] { return CDateTimeUtils::ConvertDateNumbers(m_dateAcquired, false, false, false, false); });

    if (UsesPublisher()) {
        const CPublisherMgr* publishers = m_publisherID > 0 ? CPublisherMgr::GetInstance() : nullptr;
        const CPerson* publisher = publishers ? publishers->GetPublisher(m_publisherID) : nullptr;
        CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_PUBLISHER, publisher ? publisher->GetLastName() : CString());
        CDataMapUtils::Fill(
            data, CMediaUtils::MEDIA_PROP_PUBLISHERADDRESS, publisher ? publisher->GetAddress() : CString());
        CDataMapUtils::Fill(
            data, CMediaUtils::MEDIA_PROP_PUBLISHEREMAIL, publisher ? publisher->GetEmail() : CString());
        CDataMapUtils::Fill(
            data, CMediaUtils::MEDIA_PROP_PUBLISHERPHONE, publisher ? publisher->GetPhoneNumbers() : CString());
        CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_PUBLISHERURL, publisher ? publisher->GetURL() : CString());
    }
    if (const CCheckOut* checkOut = PeekCheckOut()) {
        CDataMapUtils::FillWith(
            data, CMediaUtils::MEDIA_PROP_COSTATUS, [&] { return checkOut->GetCurrentStateText(); });
        CDataMapUtils::FillWith(
            data, CMediaUtils::MEDIA_PROP_COTIMES, [&] { return std::to_string(checkOut->GetTimesCheckedOut()); });
    }
    if (const CReportProperties* picture = PeekReportProperties()) {
        CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_REPORTIMAGEFILE, picture->GetImageFile());
        CDataMapUtils::FillWith(
            data, CMediaUtils::MEDIA_PROP_REPORTIMAGEWIDTH, [&] { return std::to_string(picture->GetImageWidth()); });
        CDataMapUtils::FillWith(
            data, CMediaUtils::MEDIA_PROP_REPORTIMAGEHEIGHT, [&] { return std::to_string(picture->GetImageHeight()); });
    }
    if (m_specialFeatures)
        m_specialFeatures->GetData(data);
}

void CMediaItem::SetData(const CMapStringToString& data, bool applyCategory)
{
    CItem::SetData(data, applyCategory);
    const bool overwrite = applyCategory;
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_TITLE, overwrite, m_title);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_DESCRIPTION, overwrite, m_description);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_LIBRARYID, overwrite, m_libraryID);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_LOCATION, overwrite, m_location);

    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_YEAR);
        text && (overwrite || m_yearPublished == 0))
        m_yearPublished = CDataMapUtils::ToInt(*text);
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_PRICE);
        text && (overwrite || m_price == 0.0))
        m_price = CDataMapUtils::ToDouble(*text);
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_DATEACQ);
        text && (overwrite || !m_dateAcquired.IsValid())) {
        // A text that is no date leaves the date as it was.
        COleDateTime date;
        if (CDateTimeUtils::ConvertDateNumbers(*text, date) || date.GetStatus() == COleDateTime::null)
            m_dateAcquired = date;
    }
    if (const CString* name = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_PUBLISHER);
        name && UsesPublisher() && (overwrite || m_publisherID == 0)) {
        CPublisherMgr* publishers = CPublisherMgr::GetInstance();
        const CPerson* publisher = publishers ? publishers->GetPublisher(*name, true) : nullptr;
        SetPublisherID(publisher ? publisher->GetUniqueID() : 0);
    }
    if (const CReportProperties* picture = PeekReportProperties()) {
        CString file = picture->GetImageFile();
        int width = picture->GetImageWidth();
        int height = picture->GetImageHeight();
        CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_REPORTIMAGEFILE, overwrite, file);
        if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_REPORTIMAGEWIDTH);
            text && (overwrite || width == 0))
            width = CDataMapUtils::ToInt(*text);
        if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_REPORTIMAGEHEIGHT);
            text && (overwrite || height == 0))
            height = CDataMapUtils::ToInt(*text);
        if (m_reportProperties || !file.empty() || width != 0 || height != 0) {
            CReportProperties* made = GetReportProperties();
            made->SetImageFile(file);
            made->SetImageWidth(width);
            made->SetImageHeight(height);
        }
    }
    if (m_specialFeatures)
        m_specialFeatures->SetData(data, overwrite);
}

void CMediaItem::Serialize(CArchive& ar)
{
    CItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_yearPublished);
    ar.Serialize(m_price);
    ar.Serialize(m_libraryID);
    ar.Serialize(m_location);
    ar.Serialize(m_dateAcquired);
    ar.Serialize(m_title);
    ar.Serialize(m_description);
    if (ar.IsStoring())
        ar.WriteString(GetSubItemSortOrder());
    else
        AssignSortOrder(ar.ReadString());
    SerializeLazyPart(ar, m_hasCheckOut, m_checkOut, IsEmptyHistory);

    if (ar.IsStoring()) {
        ar.WriteInt(m_publisherID);
    } else {
        const int id = ar.ReadInt();
        if (UsesPublisher()) {
            const CPublisherMgr* publishers = id > 0 ? CPublisherMgr::GetInstance() : nullptr;
            m_publisherID = publishers && publishers->GetPublisher(id) ? id : 0;
        }
    }

    SerializeLazyPart(ar, m_hasReportProperties, m_reportProperties, IsWithoutPicture);
    SerializePart(ar, m_specialFeatures);

    if (ar.IsStoring()) {
        m_subItems.RemoveNulls();
        ar.WriteInt(static_cast<std::int32_t>(m_subItems.GetCount()));
        for (CMediaSubItem* subItem : m_subItems)
            subItem->Serialize(ar);
        return;
    }

    DeleteSubItems();
    // A sub-item record holds at least two version words and the category id.
    const std::int32_t count = ar.ReadCount(8);
    m_subItems.Reserve(count);
    for (std::int32_t i = 0; i < count; ++i) {
        CMediaSubItem* subItem = CreateSubItem(nullptr);
        if (!subItem)
            throw CArchiveException(CArchiveException::badFormat, "sub-items stored for a medium that has none");
        try {
            subItem->Serialize(ar);
        } catch (...) {
            DestroySubItem(subItem);
            throw;
        }
        m_subItems.AddTail(subItem);
        subItem->SetParent(this);
    }
}

void CMediaItem::SortSubItems()
{
}

CString CMediaItem::GetUniqueDescription(bool withMediaName, const CString& /*sortProp*/) const
{
    CString text;
    if (withMediaName)
        text = "[" + CMediaUtils::GetMediaNameSingular(GetMediaType()) + "] ";
    if (!m_libraryID.empty())
        text += m_libraryID + ": ";
    return text;
}

bool CMediaItem::HasSignificantData() const
{
    if (!m_subItems.IsEmpty() || !m_description.empty())
        return true;
    return !CStringUtils::IsEffectivelyEmpty(m_title) && m_title != COPY_OF && m_title != "\"" + COPY_OF + "\"";
}

void CMediaItem::SetSubItemSortOrder(const CString& order, bool force)
{
    if (order == GetSubItemSortOrder() && !force)
        return;
    AssignSortOrder(order);
    SortSubItems();
}

void CMediaItem::AddSubItem(CMediaSubItem* subItem)
{
    // Listing a sub-item twice would destroy it twice.
    if (!subItem || m_subItems.IndexOf(subItem) >= 0)
        return;
    m_subItems.AddTail(subItem);
    subItem->SetParent(this);
}

void CMediaItem::DeleteSubItem(CMediaSubItem* subItem)
{
    if (!subItem)
        return;
    const INT_PTR at = m_subItems.IndexOf(subItem);
    if (at < 0)
        return;
    m_subItems.RemoveAtIndex(at);
    DestroySubItem(subItem);
}

void CMediaItem::DeleteSubItems()
{
    for (CMediaSubItem* subItem : m_subItems)
        DestroySubItem(subItem);
    m_subItems.RemoveAll();
}

CMediaSubItem* CMediaItem::GetSubItemAt(int index) const
{
    if (index < 0 || index >= GetSubItemCount())
        return nullptr;
    return m_subItems.GetAtIndex(index);
}

int CMediaItem::FindSubItem(const CMediaSubItem* subItem) const
{
    return static_cast<int>(m_subItems.IndexOf(subItem));
}

void CMediaItem::InsertSubItem(int index, CMediaSubItem* subItem)
{
    if (!subItem || m_subItems.IndexOf(subItem) >= 0)
        return;
    m_subItems.InsertAt(index, subItem);
    subItem->SetParent(this);
}

bool CMediaItem::MoveSubItem(int from, int to)
{
    const int count = GetSubItemCount();
    if (from < 0 || from >= count || to < 0 || to >= count)
        return false;
    if (from == to)
        return true;
    CMediaSubItem* subItem = m_subItems.GetAtIndex(from);
    m_subItems.RemoveAtIndex(from);
    m_subItems.InsertAt(to, subItem);
    return true;
}
