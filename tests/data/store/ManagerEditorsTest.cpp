// The working copies the manager windows edit: custom fields (values stay
// with their fields through deletes, moves and type changes), library ID
// formats (preview and apply), the shared lists (ids kept, deletions and
// additions) and the counts of their uses.

#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/CustomFieldsEditor.h"
#include "data/store/LibraryIDFormatEditor.h"
#include "data/model/Magazine.h"
#include "data/store/SharedListEditor.h"
#include "data/store/SharedListUsage.h"
#include "platform/util/Person.h"

namespace {

using U = CMediaUtils;
using Strings = std::vector<std::string>;

CCustomField MakeField(const CString& name, CFDataType type = CF_TEXT)
{
    CCustomField field;
    field.SetName(name);
    field.SetDataType(type);
    return field;
}

CMediaItem* Add(CLibrary& library, int type, const CString& title, const CString& id = CString())
{
    CMediaItem* item = library.CreateMediaItem(type, nullptr);
    item->SetTitle(title);
    if (!id.empty())
        item->SetLibraryID(id);
    library.NoteItemChanged(item);
    return item;
}

void SetValues(CLibrary& library, CItem* item, const Strings& names, const Strings& texts)
{
    CMapStringToString values;
    for (std::size_t i = 0; i < names.size(); ++i)
        values.SetAt(names[i], texts[i]);
    library.SetCustomFieldDataForItem(item, values, true);
}

Strings FieldNames(const CLibrary& library, int type)
{
    Strings names;
    const CCustomFieldMgr* fields = library.GetCustomFieldMgr(type);
    for (int i = 0; i < fields->GetFieldCount(); ++i)
        names.push_back(fields->GetFieldAt(i)->GetName());
    return names;
}

class ManagerEditorsTest : public LibraryTest { };

TEST_F(ManagerEditorsTest, FieldEditsKeepEveryItemsValuesWithTheirFields)
{
    CLibrary library(false, true);
    CCustomFieldsEditor setup(library.GetCustomFieldMgr(U::MEDIA_MAGAZINE));
    CString error;
    for (const char* name : { "A", "B", "C" })
        ASSERT_TRUE(setup.Add(MakeField(name), error)) << error;
    ASSERT_TRUE(setup.Apply(library, U::MEDIA_MAGAZINE));
    CMediaItem* first = Add(library, U::MEDIA_MAGAZINE, "First");
    CMediaItem* second = Add(library, U::MEDIA_MAGAZINE, "Second");
    CMediaSubItem* article = first->CreateSubItem(nullptr);
    first->AddSubItem(article);
    SetValues(library, first, { "A", "B", "C" }, { "a1", "b1", "c1" });
    SetValues(library, second, { "A", "B", "C" }, { "a2", "b2", "c2" });
    SetValues(library, article, { "A", "C" }, { "art a", "art c" });

    // Delete B, move C to the top, add D, rename A: one Apply.
    CCustomFieldsEditor editor(library.GetCustomFieldMgr(U::MEDIA_MAGAZINE));
    EXPECT_FALSE(editor.IsChanged());
    ASSERT_TRUE(editor.Delete(1));
    ASSERT_TRUE(editor.MoveUp(1));
    EXPECT_FALSE(editor.MoveUp(0));
    EXPECT_FALSE(editor.MoveDown(1));
    ASSERT_TRUE(editor.Add(MakeField("D"), error));
    CCustomField renamed = editor.GetAt(1);
    renamed.SetName("  Alpha ");
    ASSERT_TRUE(editor.Replace(1, renamed, error));
    ASSERT_TRUE(editor.Apply(library, U::MEDIA_MAGAZINE));

    EXPECT_EQ(FieldNames(library, U::MEDIA_MAGAZINE), (Strings { "C", "Alpha", "D" }));
    EXPECT_EQ(CustomValues(library, first, { "C", "Alpha", "D" }), (Strings { "c1", "a1", "-" }));
    EXPECT_EQ(CustomValues(library, second, { "C", "Alpha", "D" }), (Strings { "c2", "a2", "-" }));
    EXPECT_EQ(CustomValues(library, article, { "C", "Alpha" }), (Strings { "art c", "art a" }));
}

TEST_F(ManagerEditorsTest, ChangingADataTypeConvertsTheValuesThroughTheirText)
{
    CLibrary library(false, true);
    CCustomFieldsEditor setup(library.GetCustomFieldMgr(U::MEDIA_BOOK));
    CString error;
    ASSERT_TRUE(setup.Add(MakeField("Signed"), error));
    ASSERT_TRUE(setup.Add(MakeField("Seen", CF_DATE), error));
    ASSERT_TRUE(setup.Apply(library, U::MEDIA_BOOK));
    CMediaItem* book = Add(library, U::MEDIA_BOOK, "Dune");
    SetValues(library, book, { "Signed", "Seen" }, { "yes", "2024-03-05" });

    CCustomFieldsEditor editor(library.GetCustomFieldMgr(U::MEDIA_BOOK));
    CCustomField flag = editor.GetAt(0);
    flag.SetDataType(CF_TRUEFALSE);
    ASSERT_TRUE(editor.Replace(0, flag, error));
    CCustomField text = editor.GetAt(1);
    text.SetDataType(CF_TEXT);
    ASSERT_TRUE(editor.Replace(1, text, error));
    ASSERT_TRUE(editor.Apply(library, U::MEDIA_BOOK));
    EXPECT_EQ(CustomValues(library, book, { "Signed", "Seen" }), (Strings { "Y", "2024-03-05" }));
}

struct FieldCheckCase {
    const char* name;
    CFDataType type;
    const char* problem; // part of the message; "" for none
};

class FieldCheckTest : public ManagerEditorsTest, public testing::WithParamInterface<FieldCheckCase> { };

TEST_P(FieldCheckTest, RefusesWhatWouldClash)
{
    CLibrary library(false, true);
    CCustomFieldsEditor editor(library.GetCustomFieldMgr(U::MEDIA_CD));
    CString error;
    ASSERT_TRUE(editor.Add(MakeField("Shelf"), error));
    const FieldCheckCase& c = GetParam();
    CCustomField field = MakeField(c.name, c.type);
    const CString problem = editor.CheckField(field, -1);
    if (*c.problem == '\0')
        EXPECT_EQ(problem, "");
    else
        EXPECT_NE(problem.find(c.problem), CString::npos) << problem;
    // The field itself may keep its own name.
    EXPECT_EQ(editor.CheckField(editor.GetAt(0), 0), "");
}

INSTANTIATE_TEST_SUITE_P(Table, FieldCheckTest,
    testing::Values(FieldCheckCase { "Box", CF_TEXT, "" }, FieldCheckCase { "  ", CF_TEXT, "needs a name" },
        FieldCheckCase { "SHELF", CF_TEXT, "exists already" }, FieldCheckCase { "Title", CF_TEXT, "data property" },
        FieldCheckCase { "-Rank", CF_TEXT, "cannot begin" },
        FieldCheckCase { "Grade", CF_SELECTIONLIST, "at least one choice" }));

TEST_F(ManagerEditorsTest, NextIDPreviewFollowsTheSettingsAndOneShotOptions)
{
    CLibrary library(false, true);
    Add(library, U::MEDIA_BOOK, "A", "BK-0003");
    Add(library, U::MEDIA_BOOK, "B", "BK-0012");
    Add(library, U::MEDIA_BOOK, "C");
    CLibraryIDFormatEditor editor(library, U::MEDIA_BOOK);
    ASSERT_EQ(editor.GetTargetCount(), 1);
    CLibraryIDSettings* settings = editor.GetSettings(U::MEDIA_BOOK);
    ASSERT_TRUE(settings);
    EXPECT_EQ(editor.PreviewNextID(U::MEDIA_BOOK), "");
    settings->SetAutoGenerate(true);
    settings->SetPrefix("BK-");
    settings->SetDigitCount(4);
    EXPECT_EQ(editor.PreviewNextID(U::MEDIA_BOOK), "BK-0013");
    settings->SetRenumberAll(true);
    EXPECT_EQ(editor.PreviewNextID(U::MEDIA_BOOK), "BK-0004");
    settings->SetRenumberAll(false);
    settings->SetClearAll(true);
    EXPECT_EQ(editor.PreviewNextID(U::MEDIA_BOOK), "BK-0001");
    EXPECT_TRUE(editor.IsChanged());
}

TEST_F(ManagerEditorsTest, ApplyRenumbersByTheChosenPropertyAndStoresTheFormat)
{
    CLibrary library(false, true);
    Add(library, U::MEDIA_BOOK, "Zeta", "7");
    Add(library, U::MEDIA_BOOK, "Alpha", "9");
    CLibraryIDFormatEditor editor(library, U::MEDIA_BOOK);
    CLibraryIDSettings* settings = editor.GetSettings(U::MEDIA_BOOK);
    settings->SetPrefix("B");
    settings->SetDigitCount(2);
    settings->SetRenumberAll(true);
    settings->SetRenumberSortOrder(U::MEDIA_PROP_TITLE);
    std::vector<int> touched;
    bool itemsChanged = false;
    editor.Apply(library, touched, itemsChanged);
    EXPECT_TRUE(itemsChanged);
    EXPECT_EQ(touched, std::vector<int> { U::MEDIA_BOOK });
    EXPECT_EQ(library.GetLibraryIDFormatForID(U::MEDIA_BOOK)->GetPrefix(), "B");
    for (POSITION pos = library.GetHeadItem(U::MEDIA_BOOK); pos;) {
        const CMediaItem* item = library.GetNextItem(U::MEDIA_BOOK, pos);
        EXPECT_EQ(item->GetLibraryID(), item->GetTitle() == "Alpha" ? "B01" : "B02");
    }
    // Nothing changed: nothing touched.
    CLibraryIDFormatEditor again(library, U::MEDIA_BOOK);
    EXPECT_FALSE(again.IsChanged());
    again.Apply(library, touched, itemsChanged);
    EXPECT_TRUE(touched.empty());
    EXPECT_FALSE(itemsChanged);
}

TEST_F(ManagerEditorsTest, VideoTapesAreNumberedPerFormat)
{
    CLibrary library(false, true);
    for (const char* title : { "VHS one", "VHS two" })
        library.CreateMediaItem(U::MEDIA_VIDEOTAPEVHS, nullptr)->SetTitle(title);
    library.CreateMediaItem(U::MEDIA_VIDEOTAPEBETA, nullptr)->SetLibraryID("40");
    CLibraryIDFormatEditor editor(library, U::MEDIA_VIDEOTAPE);
    ASSERT_EQ(editor.GetTargetCount(), 10);
    EXPECT_EQ(editor.GetTargetID(0), U::MEDIA_VIDEOTAPEVHS);
    EXPECT_EQ(editor.GetItemCount(U::MEDIA_VIDEOTAPEVHS), 2);
    EXPECT_EQ(CLibraryIDFormatEditor::GetTargetName(U::MEDIA_VIDEOTAPEBETA), "Beta");
    editor.GetSettings(U::MEDIA_VIDEOTAPEBETA)->SetAutoGenerate(true);
    EXPECT_EQ(editor.PreviewNextID(U::MEDIA_VIDEOTAPEBETA), "41");
    EXPECT_EQ(editor.GetSettings(U::MEDIA_VIDEOTAPE), nullptr);
    std::vector<int> touched;
    bool itemsChanged = false;
    editor.Apply(library, touched, itemsChanged);
    EXPECT_EQ(touched, std::vector<int> { U::MEDIA_VIDEOTAPEBETA });
    EXPECT_TRUE(library.GetLibraryIDFormatForID(U::MEDIA_VIDEOTAPEBETA)->GetAutoGenerate());
    EXPECT_FALSE(library.GetLibraryIDFormatForID(U::MEDIA_VIDEOTAPEVHS)->GetAutoGenerate());
}

TEST_F(ManagerEditorsTest, SharedListEditsReachTheListKeepingIds)
{
    CPersonMgr* persons = CPersonMgr::GetInstance();
    persons->GetPerson("Bo", "", "Lee", true);
    const int zedID = persons->GetPerson("Ann", "", "Zed", true)->GetUniqueID();
    persons->GetPerson("Cy", "", "Old", true);

    CSharedListEditor<CPerson> editor(persons);
    ASSERT_EQ(editor.GetCount(), 3);
    EXPECT_FALSE(editor.Add(CPerson("ANN", "", "zed")));
    EXPECT_TRUE(editor.Add(CPerson("Di", "", "New")));
    CPerson changed = editor.GetAt(1);
    changed.SetEmail("ann@example.org");
    EXPECT_FALSE(editor.Replace(1, CPerson("bo", "", "LEE")));
    EXPECT_TRUE(editor.Replace(1, changed));
    EXPECT_TRUE(editor.Remove(2));
    EXPECT_EQ(editor.IndexOfID(zedID), 1);

    std::vector<int> ids;
    editor.Apply(
        *persons, [](CPersonMgr& mgr, int id) { return mgr.GetPerson(id); }, ids);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[1], zedID);
    EXPECT_GT(ids[2], zedID);
    EXPECT_EQ(persons->GetCount(), 3);
    EXPECT_EQ(persons->GetPerson(zedID)->GetEmail(), "ann@example.org");
    EXPECT_EQ(persons->GetPerson(ids[2])->GetLastName(), "New");
    EXPECT_EQ(persons->GetPerson("Cy", "", "Old", false), nullptr);
}

TEST_F(ManagerEditorsTest, UsesAreCountedPerRecord)
{
    CLibrary library(false, true);
    const int lee = CPersonMgr::GetInstance()->GetPerson("Bo", "", "Lee", true)->GetUniqueID();
    const int press = CPublisherMgr::GetInstance()->GetPublisher("Ace Press", true)->GetUniqueID();
    const int title = CMagazineMgr::GetInstance()->GetMagazine("Wired", true)->GetUniqueID();
    CMediaItem* book = Add(library, U::MEDIA_BOOK, "Dune");
    book->SetPublisherID(press);
    // Lent twice to the same person: one item.
    for (int i = 0; i < 2; ++i) {
        auto* loan = new CCheckOutState();
        loan->SetPersonID(lee);
        book->GetCheckOut()->Add(loan);
    }
    for (int i = 0; i < 3; ++i)
        static_cast<CMagazineIssue*>(Add(library, U::MEDIA_MAGAZINE, "Issue"))->SetMagazineID(title);

    const CSharedListUsage usage(&library);
    EXPECT_EQ(usage.GetPersonUses(lee), 1);
    EXPECT_EQ(usage.GetPublisherUses(press), 1);
    EXPECT_EQ(usage.GetMagazineUses(title), 3);
    EXPECT_EQ(usage.GetMagazineUses(title + 1), 0);
    EXPECT_EQ(CSharedListUsage(nullptr).GetPersonUses(lee), 0);
}

} // namespace
