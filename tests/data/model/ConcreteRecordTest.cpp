// Every media type's record and property map: a fully filled item written,
// read back into a fresh item and written again; what each type answers and
// takes; damaged records.
#include <gtest/gtest.h>

#include "ConcreteMediaSupport.h"
#include "data/model/CheckOut.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

using namespace concretetest;

namespace {

class ConcreteRecordTest : public ::testing::TestWithParam<int> { };

std::string ParamName(const ::testing::TestParamInfo<int>& info)
{
    return TypeName(info.param);
}

void ExpectSameData(const CMapStringToString& expected, const CMapStringToString& actual, const std::string& what)
{
    for (const auto& [prop, value] : expected) {
        const CString* other = actual.PLookup(prop);
        ASSERT_NE(other, nullptr) << what << ": " << prop;
        EXPECT_EQ(value, *other) << what << ": " << prop;
    }
}

} // namespace

TEST_P(ConcreteRecordTest, FullItemReadsBackWhole)
{
    auto item = MakeFullItem(GetParam());
    const std::string bytes = Store(*item);

    auto loaded = MakeDefaultItem(GetParam());
    ASSERT_TRUE(Load(*loaded, bytes)) << "the record leaves bytes unread";

    ExpectSameData(AllData(*item), AllData(*loaded), "medium");
    const auto subItems = SubItems(*item);
    const auto loadedSubItems = SubItems(*loaded);
    ASSERT_EQ(subItems.size(), loadedSubItems.size());
    EXPECT_EQ(HasSubItems(GetParam()) ? 2u : 0u, subItems.size());
    for (std::size_t i = 0; i < subItems.size(); ++i) {
        EXPECT_EQ(loaded.get(), loadedSubItems[i]->GetParent());
        ExpectSameData(AllData(*subItems[i]), AllData(*loadedSubItems[i]), "sub-item " + std::to_string(i));
        const CCustomValueMgr* values = loadedSubItems[i]->GetCustomValues();
        EXPECT_EQ(subItems[i]->GetCustomValues() ? 3 : -1, values ? values->GetValueCount() : -1);
    }
    ASSERT_NE(loaded->GetCustomValues(), nullptr);
    EXPECT_EQ(3, loaded->GetCustomValues()->GetValueCount());
    ASSERT_NE(loaded->GetCheckOut(), nullptr);
    EXPECT_EQ(2, loaded->GetCheckOut()->GetEntryCount());

    EXPECT_EQ(bytes, Store(*loaded)) << "written again, the record differs";
}

TEST_P(ConcreteRecordTest, AnswersExactlyItsProperties)
{
    auto item = MakeFullItem(GetParam());
    EXPECT_EQ(CarriedProps(GetParam()), Answered(AllData(*item)));

    PropSet subItemProps = CarriedProps(GetParam());
    const PropSet own = CarriedSubItemProps(GetParam());
    subItemProps.insert(own.begin(), own.end());
    for (const CMediaSubItem* subItem : SubItems(*item))
        EXPECT_EQ(subItemProps, Answered(AllData(*subItem)));
}

TEST_P(ConcreteRecordTest, SetsEveryPropertyItAnswers)
{
    // What one item answers, given to a fresh item, is answered again alike:
    // the path of text import and of editing through grids.
    auto item = MakeFullItem(GetParam());
    const CMapStringToString data = AllData(*item);
    CMapStringToString editable;
    for (const auto& [prop, value] : data) {
        bool derived, yesNo, number, date, text, list, noGridEdit;
        CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
        if (value != UNANSWERED && !derived)
            editable.SetAt(prop, value);
    }
    // Video lengths are shown as hours:minutes; the import appends the seconds.
    CMapStringToString input = editable;
    bool recordable = false;
    if (CMediaUtils::IsMediaTypeVideo(GetParam(), recordable) && input.Contains(CMediaUtils::MEDIA_PROP_LENGTH))
        input.SetAt(CMediaUtils::MEDIA_PROP_LENGTH, *input.PLookup(CMediaUtils::MEDIA_PROP_LENGTH) + ":00");
    auto copy = MakeDefaultItem(GetParam());
    copy->SetData(input, true);
    ExpectSameData(editable, AllData(*copy), "medium");

    for (const CMediaSubItem* subItem : SubItems(*item)) {
        CMediaSubItem* fresh = item->CreateSubItem(nullptr);
        copy->AddSubItem(fresh);
        const CMapStringToString subAll = AllData(*subItem);
        CMapStringToString subData;
        for (const CString& prop : CarriedSubItemProps(GetParam()))
            subData.SetAt(prop, *subAll.PLookup(prop));
        fresh->SetData(subData, true);
        ExpectSameData(subData, AllData(*fresh), "sub-item");
    }
}

TEST_P(ConcreteRecordTest, TakesNoPropertyItDoesNotCarry)
{
    auto item = MakeDefaultItem(GetParam());
    const std::string before = Store(*item);
    const PropSet carried = CarriedProps(GetParam());
    CMapStringToString foreign;
    for (const auto& [prop, value] : FullMediaMap())
        if (!carried.count(prop))
            foreign.SetAt(prop, value);
    ASSERT_FALSE(foreign.IsEmpty());
    item->SetData(foreign, true);
    EXPECT_EQ(before, Store(*item));
}

TEST_P(ConcreteRecordTest, MergingFillsOnlyWhatIsMissing)
{
    const auto changed = [](const CString& prop, const CString& value) {
        if (prop == CMediaUtils::MEDIA_PROP_CATEGORY || prop == CMediaUtils::MEDIA_PROP_PUBLISHER
            || prop == CMediaUtils::MEDIA_PROP_MAGAZINE)
            return value;
        return value == "Y" ? CString("N") : value + "7";
    };
    auto item = MakeFullItem(GetParam());
    const CMapStringToString before = AllData(*item);
    CMapStringToString other = FullMediaMap();
    for (auto& [prop, value] : other)
        value = changed(prop, value);
    item->SetData(other, false);
    ExpectSameData(before, AllData(*item), "merged medium");

    // Sub-items too, their compact texts included.
    for (CMediaSubItem* subItem : SubItems(*item)) {
        const CMapStringToString subBefore = AllData(*subItem);
        CMapStringToString subOther;
        for (const CString& prop : CarriedSubItemProps(GetParam()))
            subOther.SetAt(prop, changed(prop, *subBefore.PLookup(prop)));
        subItem->SetData(subOther, false);
        ExpectSameData(subBefore, AllData(*subItem), "merged sub-item");
    }
}

TEST_P(ConcreteRecordTest, EveryTruncationFailsCleanly)
{
    auto item = MakeFullItem(GetParam());
    const std::string bytes = Store(*item);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        auto loaded = MakeDefaultItem(GetParam());
        const std::string cut = bytes.substr(0, length);
        EXPECT_THROW(Load(*loaded, cut), CArchiveException) << "cut at " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ConcreteRecordTest, ::testing::ValuesIn(AllMediaTypes()), ParamName);
