#include "data/model/MagazineIssue.h"

#include <climits>

#include "data/model/DataMapUtils.h"
#include "data/model/ItemTextUtils.h"
#include "data/model/Magazine.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/PublisherMgr.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CMagazineIssue::CMagazineIssue()
    : CMediaItemT(true, true, false, true, false, U::MEDIA_PROP_PAGE)
{
}

CMagazine* CMagazineIssue::GetMagazine() const
{
    CMagazineMgr* magazines = m_magazineID > 0 ? CMagazineMgr::GetInstance() : nullptr;
    return magazines ? magazines->GetMagazine(m_magazineID) : nullptr;
}

CString CMagazineIssue::GetMagazineName() const
{
    const CMagazine* magazine = GetMagazine();
    return magazine ? magazine->GetName() : CString();
}

bool CMagazineIssue::operator==(const CItem& other) const
{
    const CMagazineIssue* issue = OtherOfSameClass(other);
    if (!issue)
        return false;
    if (!CStringUtils::EqualsNoCase(GetMagazineName(), issue->GetMagazineName())
        || !CStringUtils::EqualsNoCase(m_issue, issue->m_issue))
        return false;
    // Without issue names only the titles can tell two issues apart.
    return !m_issue.empty() || CStringUtils::EqualsNoCase(GetTitle(), issue->GetTitle());
}

void CMagazineIssue::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_MAGAZINE, GetMagazineName());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_MAGISSUE, m_issue);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ONLINEURL, m_onlineURL);
    CPropMapUtils::AnswerCount(data, U::MEDIA_PROP_ARTICLESCOUNT, GetSubItemCount());

    const CMagazine* magazine = GetMagazine();
    CPropMapUtils::AnswerBool(data, U::MEDIA_PROP_SUBSCRIPTION, magazine && magazine->GetSubscription());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SUBSCRIPTIONCOST,
        magazine ? CNumberTextConv::DoubleToString(magazine->GetSubscriptionCost(), 2, false, 0, CString(), false)
                 : CString());
    CPropMapUtils::Answer(
        data, U::MEDIA_PROP_SUBSCRIPTIONNUMBER, magazine ? magazine->GetSubscriptionNumber() : CString());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SUBSCRIPTIONEXP, magazine ? magazine->GetSubscriptionExp() : CString());

    // The publisher is the magazine title's, not the issue's.
    CPublisherMgr* publishers = magazine && magazine->GetPublisherID() > 0 ? CPublisherMgr::GetInstance() : nullptr;
    const CPerson* publisher = publishers ? publishers->GetPublisher(magazine->GetPublisherID()) : nullptr;
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PUBLISHER, publisher ? publisher->GetLastName() : CString());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PUBLISHERADDRESS, publisher ? publisher->GetAddress() : CString());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PUBLISHEREMAIL, publisher ? publisher->GetEmail() : CString());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PUBLISHERPHONE, publisher ? publisher->GetPhoneNumbers() : CString());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PUBLISHERURL, publisher ? publisher->GetURL() : CString());
}

void CMagazineIssue::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CString name = GetMagazineName();
    if (CPropMapUtils::TakeText(data, U::MEDIA_PROP_MAGAZINE, name, applyCategory)) {
        CMagazineMgr* magazines = CMagazineMgr::GetInstance();
        const CMagazine* magazine = magazines ? magazines->GetMagazine(name, true) : nullptr;
        SetMagazineID(magazine ? magazine->GetUniqueID() : 0);
    }
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_MAGISSUE, m_issue, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_ONLINEURL, m_onlineURL, applyCategory);
}

void CMagazineIssue::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    std::int32_t magazineID = m_magazineID;
    ar.Serialize(magazineID);
    if (ar.IsLoading()) {
        // As with publishers: a title that no longer exists leaves no dangling id.
        CMagazineMgr* magazines = CMagazineMgr::GetInstance();
        if (magazineID > 0 && magazines && !magazines->GetMagazine(magazineID))
            magazineID = 0;
        SetMagazineID(magazineID);
    }
    ar.Serialize(m_issue);
    ar.Serialize(m_onlineURL);
}

CString CMagazineIssue::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString magazine = GetMagazineName();
    CString issue = magazine.empty() || m_issue.empty() ? magazine + m_issue : magazine + ", " + m_issue;
    CString title = CItemTextUtils::Quoted(GetTitle());
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp)
        + (sortProp == U::MEDIA_PROP_TITLE ? CItemTextUtils::JoinDash({ title, issue })
                                           : CItemTextUtils::JoinDash({ issue, title }));
}

void CMagazineIssue::SortSubItems()
{
    const CString& order = GetSubItemSortOrder();
    if (order == U::MEDIA_PROP_PAGE)
        GetSubItems().Sort(SortArticlesByPageTitle);
    else if (order == U::MEDIA_PROP_TITLE)
        GetSubItems().Sort(SortArticlesByTitle);
    else if (order == U::MEDIA_PROP_AUTHOR)
        GetSubItems().Sort(SortArticlesByAuthorTitle);
}

namespace {

// Articles first; the order of two articles is left to compare.
template <class Compare> int CompareArticles(const CMediaSubItem* a, const CMediaSubItem* b, Compare compare)
{
    const auto* articleA = dynamic_cast<const CMagazineArticle*>(a);
    const auto* articleB = dynamic_cast<const CMagazineArticle*>(b);
    if (!articleA || !articleB)
        return articleA ? -1 : (articleB ? 1 : 0);
    return compare(*articleA, *articleB);
}

} // namespace

int CMagazineIssue::SortArticlesByPageTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    return CompareArticles(a, b, [](const CMagazineArticle& x, const CMagazineArticle& y) {
        int order = CSubItemUtils::Sign(static_cast<long long>(x.GetPage()) - y.GetPage());
        return order != 0 ? order : CStringUtils::CompareNoCase(x.GetTitle(), y.GetTitle());
    });
}

int CMagazineIssue::SortArticlesByTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    return CompareArticles(a, b, [](const CMagazineArticle& x, const CMagazineArticle& y) {
        return CStringUtils::CompareNoCase(x.GetTitle(), y.GetTitle());
    });
}

int CMagazineIssue::SortArticlesByAuthorTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    return CompareArticles(a, b, [](const CMagazineArticle& x, const CMagazineArticle& y) {
        int order = CStringUtils::CompareNoCase(x.GetAuthor(), y.GetAuthor());
        return order != 0 ? order : CStringUtils::CompareNoCase(x.GetTitle(), y.GetTitle());
    });
}

CMagazineArticle::CMagazineArticle()
    : CMediaSubItemT(false)
    , CItemCategory(true)
{
}

bool CMagazineArticle::operator==(const CItem& other) const
{
    const auto* article = dynamic_cast<const CMagazineArticle*>(&other);
    return article && CMediaSubItem::operator==(other) && m_page == article->m_page
        && CStringUtils::EqualsNoCase(m_title, article->m_title)
        && CStringUtils::EqualsNoCase(m_author, article->m_author);
}

void CMagazineArticle::GetData(CMapStringToString& data) const
{
    CMediaSubItem::GetData(data);
    // The issue's answers came last; the article's category and own fields
    // take their place.
    CItem::GetData(data);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_TITLE, m_title);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_SUBTITLE, m_subTitle);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_AUTHOR, m_author);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_SERIESNUMBER, m_seriesNumber);
    CDataMapUtils::Fill(data, U::MEDIA_PROP_DESCRIPTION, m_description);
    CPropMapUtils::AnswerInt(data, U::MEDIA_PROP_PAGE, m_page, true);
}

void CMagazineArticle::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaSubItem::SetData(data, applyCategory);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_TITLE, applyCategory, m_title);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_SUBTITLE, applyCategory, m_subTitle);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_AUTHOR, applyCategory, m_author);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_SERIESNUMBER, applyCategory, m_seriesNumber);
    CDataMapUtils::Apply(data, U::MEDIA_PROP_DESCRIPTION, applyCategory, m_description);
    CPropMapUtils::TakeInt(data, U::MEDIA_PROP_PAGE, m_page, applyCategory, 0, INT_MAX);
}

void CMagazineArticle::Serialize(CArchive& ar)
{
    CMediaSubItem::Serialize(ar);
    ar.SerializeVersion(1);
    std::int32_t page = m_page;
    ar.Serialize(page);
    SetPage(page);
    CSubItemUtils::SerializeText(ar, m_title);
    CSubItemUtils::SerializeText(ar, m_subTitle);
    CSubItemUtils::SerializeText(ar, m_author);
    CSubItemUtils::SerializeText(ar, m_seriesNumber);
    CSubItemUtils::SerializeText(ar, m_description);
}

bool CMagazineArticle::HaveValidData() const
{
    return !CStringUtils::IsEffectivelyEmpty(m_title) || !CStringUtils::IsEffectivelyEmpty(m_author) || m_page > 0;
}
