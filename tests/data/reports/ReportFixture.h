#pragma once
// A library with a few hand-made items for report tests.

#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "tests/data/store/LibraryFixture.h"

class ReportTest : public LibraryTest {
protected:
    using U = CMediaUtils;

    CBook* AddBook(const CString& title, const CString& series = "", const CString& author = "", int category = 1)
    {
        auto* book = static_cast<CBook*>(m_library.CreateMediaItem(U::MEDIA_BOOK, nullptr));
        book->SetTitle(title);
        book->SetSeriesNumber(series);
        book->SetAuthor(author);
        book->SetCategoryID(category);
        m_library.NoteItemChanged(book);
        return book;
    }

    CCD* AddCD(const CString& artist, const CString& title, const std::vector<CString>& tracks = {})
    {
        auto* cd = static_cast<CCD*>(m_library.CreateMediaItem(U::MEDIA_CD, nullptr));
        cd->SetArtist(artist);
        cd->SetTitle(title);
        int number = 1;
        for (const CString& name : tracks) {
            auto* track = new CCDTrack();
            track->SetTitle(name);
            track->SetTrack(number++);
            cd->AddSubItem(track);
        }
        m_library.NoteItemChanged(cd);
        return cd;
    }

    int AddCategory(const CString& name) { return CCategoryMgr::GetInstance()->GetCategory(name, true)->GetUniqueID(); }

    // A custom field of the type; returns it for further setting up.
    CCustomField* AddCustomField(int mediaType, const CString& name, const CString& webTag = "")
    {
        auto* field = new CCustomField();
        field->SetName(name);
        field->SetCustomWebReportTag(webTag);
        m_library.GetCustomFieldMgr(mediaType)->Add(field);
        return field;
    }

    void SetCustomText(CItem* item, const CString& field, const CString& value)
    {
        CMapStringToString values;
        values.SetAt(field, value);
        m_library.SetCustomFieldDataForItem(item, values, true);
    }

    static std::vector<CString> Titles(const CItemList& items)
    {
        std::vector<CString> titles;
        for (const CItem* item : items) {
            CMapStringToString data;
            data.SetAt(U::MEDIA_PROP_TITLE, "");
            data.SetAt(U::MEDIA_PROP_TRACKTITLE, "");
            if (item)
                item->GetData(data);
            const CString& track = data[U::MEDIA_PROP_TRACKTITLE];
            titles.push_back(!item ? CString("(null)") : (track.empty() ? data[U::MEDIA_PROP_TITLE] : track));
        }
        return titles;
    }

    CLibrary m_library { false, true };
};
