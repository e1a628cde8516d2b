#include "SampleLibrary.h"

#include <stdexcept>

#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Category.h"
#include "data/store/CategoryMgr.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/Magazine.h"
#include "data/store/MagazineMgr.h"
#include "data/store/PersonMgr.h"
#include "data/store/PublisherMgr.h"
#include "data/store/SharedData.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"

namespace vemotest {

namespace {

const char* const kNames[] = { "Ada", "Björn", "Chloë", "Dmitri", "Eve", "Fran", "Günter", "Hana" };

CString Text(const char* stem, int n)
{
    return CString(stem) + " " + std::to_string(n);
}

} // namespace

void FillSampleLibrary(CLibrary& library, int itemCount, int variant)
{
    library.SetNotes("Sample library, variant " + std::to_string(variant));
    library.SetDefaultDVDRegion(2);
    library.SetPrintHeaderTextColor(0x00102030);
    for (int c = 0; c < 4; ++c)
        library.AddCategory(new CCategory(Text("Category", c), Text("About category", c)));
    for (int type = 1; type <= 24; type += 5) {
        if (CCustomFieldMgr* fields = library.GetCustomFieldMgr(type)) {
            auto* field = new CCustomField();
            field->SetName(Text("Shelf", type));
            field->SetDataType(CF_SELECTIONLIST);
            field->AddSelectionListItem("Top");
            field->AddSelectionListItem("Bottom");
            fields->Add(field);
        }
    }
    for (int i = 0; i < itemCount; ++i) {
        const int type = 1 + i % 24;
        CMapStringToString values;
        // The first item of each type carries the variant, so variants differ.
        const int titleNumber = i < 24 ? i + 1000 * variant : i;
        values.SetAt(CMediaUtils::MEDIA_PROP_TITLE, Text("Title", titleNumber));
        values.SetAt(CMediaUtils::MEDIA_PROP_ARTIST, kNames[i % 8]);
        values.SetAt(CMediaUtils::MEDIA_PROP_AUTHOR, kNames[(i + 3) % 8]);
        values.SetAt(CMediaUtils::MEDIA_PROP_DIRECTOR, kNames[(i + 5) % 8]);
        values.SetAt(CMediaUtils::MEDIA_PROP_LOCATION, Text("Shelf", i % 13));
        values.SetAt(CMediaUtils::MEDIA_PROP_DESCRIPTION, i % 7 == 0 ? "Signed copy, “mint”" : "");
        values.SetAt(CMediaUtils::MEDIA_PROP_PRICE, std::to_string(i % 50) + ".95");
        values.SetAt(CMediaUtils::MEDIA_PROP_YEAR, std::to_string(1950 + i % 70));
        values.SetAt(CMediaUtils::MEDIA_PROP_DATEACQ, "2021-03-" + std::to_string(10 + i % 18));
        values.SetAt(CMediaUtils::MEDIA_PROP_CATEGORY, Text("Category", i % 4));
        CMediaItem* item = library.Import(type, values, false);
        if (!item)
            throw std::runtime_error("the sample item of type " + std::to_string(type) + " was not made");
        for (int s = 0; s < i % 4; ++s) {
            CMediaSubItem* sub = item->CreateSubItem(nullptr);
            if (!sub)
                break;
            item->AddSubItem(sub);
            CMapStringToString subValues;
            subValues.SetAt(CMediaUtils::MEDIA_PROP_TITLE, Text("Part", s + 1));
            subValues.SetAt(CMediaUtils::MEDIA_PROP_TRACKTITLE, Text("Part", s + 1));
            subValues.SetAt(CMediaUtils::MEDIA_PROP_TRACKLENGTH, "3:" + std::to_string(10 + s));
            sub->SetData(subValues, false);
        }
    }
    library.NoteItemsChanged();
    library.AddSearchString("jazz");
    library.AddSearchString("Title 12");
}

std::string SampleLibraryBytes(int itemCount, int variant)
{
    CLibrary library(true, false);
    FillSampleLibrary(library, itemCount, variant);
    std::string bytes;
    CString error;
    if (!CLibraryFile::WriteBytes(library, bytes, error))
        throw std::runtime_error("the sample library could not be written: " + error);
    return bytes;
}

void ResetSharedLists()
{
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

void FillSampleSharedData(int count, int variant)
{
    ResetSharedLists();
    for (int i = 0; i < count; ++i) {
        auto* publisher = new CPerson(Text("Press", i), "", kNames[i % 8]);
        publisher->SetEmail("press" + std::to_string(i) + "@example.org");
        CPublisherMgr::GetInstance()->Add(publisher);
        auto* person = new CPerson(kNames[(i + variant) % 8], "Q", Text("Reader", i));
        person->SetHomePhone("555-01" + std::to_string(i % 100));
        CPersonMgr::GetInstance()->Add(person);
        auto* magazine = new CMagazine(Text("Monthly", i + 100 * variant));
        magazine->SetSubscription(i % 2 == 0);
        magazine->SetSubscriptionCost(12.5 * (i % 5));
        CMagazineMgr::GetInstance()->Add(magazine);
    }
}

std::string SampleSharedDataBytes(int count, int variant)
{
    FillSampleSharedData(count, variant);
    CArchive ar;
    CSharedData::Serialize(ar);
    return ar.GetBuffer();
}

} // namespace vemotest
