#pragma once
// An issue of a magazine title, with its articles. The title itself (name,
// publisher, subscription) is shared by all libraries (CMagazineMgr); the
// issue refers to it by id.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "platform/util/CompactText.h"

class CMagazine;
class CMagazineArticle;

class CMagazineIssue : public CMediaItemT<CMagazineIssue, CMediaItem, CMediaUtils::MEDIA_MAGAZINE, CMagazineArticle> {
public:
    // Category, check-out and report properties; no publisher of its own
    // (the magazine title's is shown); no special features; articles ordered
    // by "Page".
    CMagazineIssue();

    // Same magazine name and issue, ignoring case; when both issues are
    // empty, the titles too.
    bool operator==(const CItem& other) const override;
    // "Magazine", "Issue", "Online URL", "Articles" (count), and from the
    // magazine title "Subscription?", "Subscription Cost", "Subscription
    // Number", "Subscription Exp. Date", "Publisher" and the publisher's
    // "Publisher Address", "Publisher e-mail", "Publisher Phone",
    // "Publisher URL".
    void GetData(CMapStringToString& data) const override;
    // "Magazine" finds the title of that name (created when missing);
    // "Issue", "Online URL". The title's own data is not set from items.
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaItem's: version word (1), magazine id (32-bit; an
    // id the magazine list does not know loads as 0), issue, online URL.
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then "magazine, issue" - "title" ("title" -
    // "magazine, issue" when sorted by title).
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

protected:
    // "Page": by page, then title; "Title": by title; "Author": by author,
    // then title.
    void SortSubItems() override;

public:
    // Id in CMagazineMgr; 0 for none.
    int GetMagazineID() const { return m_magazineID; }
    void SetMagazineID(int id) { m_magazineID = id < 0 ? 0 : id; }
    // The title record, or null when the id resolves to none.
    CMagazine* GetMagazine() const;
    // The title's name, or "" without one.
    CString GetMagazineName() const;
    const CString& GetIssue() const { return m_issue; }
    void SetIssue(const CString& issue) { m_issue = issue; }
    const CString& GetOnlineURL() const { return m_onlineURL; }
    void SetOnlineURL(const CString& url) { m_onlineURL = url; }

    // -1/0/1; a sub-item that is no article sorts after one that is.
    static int SortArticlesByPageTitle(const CMediaSubItem* a, const CMediaSubItem* b);
    static int SortArticlesByTitle(const CMediaSubItem* a, const CMediaSubItem* b);
    static int SortArticlesByAuthorTitle(const CMediaSubItem* a, const CMediaSubItem* b);

private:
    int m_magazineID = 0;
    CString m_issue;
    CString m_onlineURL;
};

// An article of a magazine issue. Unlike tracks and chapters it has a
// category and custom values of its own, so that reports can list articles
// by their own category and fields, which it keeps in place.
class CMagazineArticle : public CMediaSubItemT<CMagazineArticle, CMediaSubItem, CMediaUtils::MEDIA_MAGAZINE>,
                         private CItemCategory {
public:
    CMagazineArticle();

    // Same issue (see CMediaSubItem), same page, and title and author equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // The issue's keys, then the article's own: "Title", "SubTitle",
    // "Author", "Series Number", "Description", "Page", and its own "Media",
    // "Category" and "Category Desc.".
    void GetData(CMapStringToString& data) const override;
    // The keys above; the category as CItem::SetData does.
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaSubItem's (whose CItem part holds the category and
    // custom values): version word (1), page (32-bit), title, subtitle,
    // author, series number, description (strings).
    void Serialize(CArchive& ar) override;
    // A title or author that is not effectively empty, or a page above 0.
    bool HaveValidData() const override;

    // First page; 0 when not known.
    int GetPage() const { return m_page; }
    void SetPage(int page) { m_page = page < 0 ? 0 : page; }
    // Views valid until the text changes; articles are many, so their texts
    // are kept compact.
    std::string_view GetTitle() const { return m_title; }
    void SetTitle(std::string_view text) { m_title = text; }
    std::string_view GetSubTitle() const { return m_subTitle; }
    void SetSubTitle(std::string_view text) { m_subTitle = text; }
    std::string_view GetAuthor() const { return m_author; }
    void SetAuthor(std::string_view text) { m_author = text; }
    // The part of an article series ("Part 2").
    std::string_view GetSeriesNumber() const { return m_seriesNumber; }
    void SetSeriesNumber(std::string_view text) { m_seriesNumber = text; }
    std::string_view GetDescription() const { return m_description; }
    void SetDescription(std::string_view text) { m_description = text; }

protected:
    CItemCategory* Category() const final { return const_cast<CMagazineArticle*>(this); }
    CItemCategory* MakeCategory() final { return this; }

private:
    int m_page = 0;
    CCompactText m_title;
    CCompactText m_subTitle;
    CCompactText m_author;
    CCompactText m_seriesNumber;
    CCompactText m_description;
};
