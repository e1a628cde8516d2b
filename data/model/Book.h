#pragma once
// A book, with its chapters.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/SparseTexts.h"
#include "platform/util/CompactText.h"

class CBookChapter;

class CBook : public CMediaItemT<CBook, CMediaItem, CMediaUtils::MEDIA_BOOK, CBookChapter> {
public:
    // Category, check-out, publisher and report properties; no special
    // features; chapters ordered by "Chapter".
    CBook();

    // Same title, subtitle, author, series number and edition, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Author", "Co-Author", "SubTitle", "Series Number", "Edition", "ISBN",
    // "Pages", "Hardcover?", "Electronic File or URL", "Chapters" (count).
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaItem's: version word (1), author, co-author,
    // subtitle, series number, edition, ISBN (strings), pages (32-bit),
    // hardcover (boolean), electronic file or URL (string).
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then author - "title" ("title" - author when
    // sorted by title), then " (series number)".
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

protected:
    // "Chapter": by number, then title; "Chapter Title": by title.
    void SortSubItems() override;

public:
    const CString& GetAuthor() const { return m_author; }
    void SetAuthor(const CString& text) { m_author = text; }
    const CString& GetCoAuthor() const { return m_sparse.Get(SPARSE_COAUTHOR); }
    void SetCoAuthor(const CString& text) { m_sparse.Set(SPARSE_COAUTHOR, text); }
    const CString& GetSubTitle() const { return m_sparse.Get(SPARSE_SUBTITLE); }
    void SetSubTitle(const CString& text) { m_sparse.Set(SPARSE_SUBTITLE, text); }
    const CString& GetSeriesNumber() const { return m_sparse.Get(SPARSE_SERIES); }
    void SetSeriesNumber(const CString& text) { m_sparse.Set(SPARSE_SERIES, text); }
    const CString& GetEdition() const { return m_sparse.Get(SPARSE_EDITION); }
    void SetEdition(const CString& text) { m_sparse.Set(SPARSE_EDITION, text); }
    const CString& GetISBN() const { return m_isbn; }
    void SetISBN(const CString& text) { m_isbn = text; }
    int GetPages() const { return m_pages; }
    // Negative counts become 0.
    void SetPages(int pages) { m_pages = pages < 0 ? 0 : pages; }
    bool GetHardcover() const { return m_hardcover; }
    void SetHardcover(bool hardcover) { m_hardcover = hardcover; }
    const CString& GetEFileURL() const { return m_sparse.Get(SPARSE_EFILEURL); }
    void SetEFileURL(const CString& text) { m_sparse.Set(SPARSE_EFILEURL, text); }

    // -1/0/1; a sub-item that is no chapter sorts after one that is.
    static int SortChaptersByNumberTitle(const CMediaSubItem* a, const CMediaSubItem* b);
    static int SortChaptersByTitle(const CMediaSubItem* a, const CMediaSubItem* b);

private:
    // Collections seldom fill these for a book.
    enum { SPARSE_COAUTHOR, SPARSE_SUBTITLE, SPARSE_SERIES, SPARSE_EDITION, SPARSE_EFILEURL, SPARSE_COUNT };

    CString m_author;
    CString m_isbn;
    int m_pages = 0;
    bool m_hardcover = false;
    CSparseTexts<SPARSE_COUNT> m_sparse;
};

// A chapter of a book. It has no category: its custom values live with the book.
class CBookChapter : public CMediaSubItemT<CBookChapter, CMediaSubItem, CMediaUtils::MEDIA_BOOK> {
public:
    CBookChapter();

    // Same book (see CMediaSubItem), chapter number, and titles equal
    // ignoring case.
    bool operator==(const CItem& other) const override;
    // The book's keys, then "Chapter", "Chapter Title", "Chapter Desc.".
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaSubItem's: version word (1), chapter number (word),
    // title, description (strings).
    void Serialize(CArchive& ar) override;
    // A title or description that is not effectively empty.
    bool HaveValidData() const override;

    // 0 (a prologue) and up.
    int GetChapter() const { return m_chapter; }
    void SetChapter(int chapter) { m_chapter = static_cast<WORD>(std::clamp(chapter, 0, 0xFFFF)); }
    // Views valid until the text changes; chapters are many, so their texts
    // are kept compact.
    std::string_view GetTitle() const { return m_title; }
    void SetTitle(std::string_view title) { m_title = title; }
    std::string_view GetDescription() const { return m_description; }
    void SetDescription(std::string_view text) { m_description = text; }

private:
    WORD m_chapter = 1;
    CCompactText m_title;
    CCompactText m_description;
};
