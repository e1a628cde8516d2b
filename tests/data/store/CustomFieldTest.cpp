#include <gtest/gtest.h>

#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

struct TagCase {
    const char* tag;
    const char* fieldTag;
    const char* valueTag;
};

class WebReportTagTest : public testing::TestWithParam<TagCase> { };

TEST_P(WebReportTagTest, BlanksAndTabsBecomeUnderscores)
{
    CCustomField field;
    field.SetCustomWebReportTag(GetParam().tag);
    EXPECT_EQ(field.GetCustomWebReportFieldTag(), GetParam().fieldTag);
    EXPECT_EQ(field.GetCustomWebReportValueTag(), GetParam().valueTag);
}

INSTANTIATE_TEST_SUITE_P(Table, WebReportTagTest,
    testing::Values(TagCase { "", "", "" }, TagCase { "SHELF", "{CUSTOMFIELD_SHELF}", "{CUSTOMVALUE_SHELF}" },
        TagCase { "my tag", "{CUSTOMFIELD_my_tag}", "{CUSTOMVALUE_my_tag}" },
        TagCase { "a\tb c", "{CUSTOMFIELD_a_b_c}", "{CUSTOMVALUE_a_b_c}" }));

CCustomField MakeField(const CString& name, CFDataType type)
{
    CCustomField field;
    field.SetName(name);
    field.SetDataType(type);
    field.SetCustomWebReportTag(name + " tag");
    return field;
}

TEST(CustomFieldTest, RecordRoundTripAndLayout)
{
    CCustomField field = MakeField("Shelf", CF_SELECTIONLIST);
    field.AddSelectionListItem("top");
    field.AddSelectionListItem("bottom");
    field.SetInitialValueDateToday(false);
    field.AddSelectionListItem("middle");
    const std::string bytes = StoreBytes(field);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x01\x00\x00\x00\x00\x00\x03\x00", 8));
    EXPECT_EQ(bytes.substr(bytes.size() - 9), std::string("\x01\x00\x06middle", 9));

    CCustomField read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_EQ(read.GetName(), "Shelf");
    EXPECT_EQ(read.GetDataType(), CF_SELECTIONLIST);
    EXPECT_EQ(read.GetSelectionListCount(), 1);
    EXPECT_EQ(StoreBytes(read), bytes);

    CCustomField flags = MakeField("Seen", CF_TRUEFALSE);
    flags.SetInitialValueBooleanOn(true);
    CCustomField flagsRead;
    LoadBytes(flagsRead, StoreBytes(flags));
    EXPECT_TRUE(flagsRead.GetInitialValueBooleanOn());
    EXPECT_FALSE(flagsRead.GetInitialValueDateToday());

    CCustomField target = MakeField("kept", CF_DATE);
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(target.GetName(), "kept");
    EXPECT_EQ(target.GetDataType(), CF_DATE);
}

TEST(CustomFieldTest, UnknownDataTypeReadsAsText)
{
    CCustomField field = MakeField("Odd", CF_WEBADDRESS);
    std::string bytes = StoreBytes(field);
    EXPECT_EQ(bytes[6], 5);
    bytes[6] = 9;
    CCustomField read;
    LoadBytes(read, bytes);
    EXPECT_EQ(read.GetDataType(), CF_TEXT);

    field.SetDataType(static_cast<CFDataType>(6));
    EXPECT_EQ(StoreBytes(field)[6], 0);
}

class CustomFieldMgrTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "One", "Two", "Three" }) {
            m_fields[m_count] = new CCustomField(MakeField(name, CF_TEXT));
            m_mgr.Add(m_fields[m_count++]);
        }
    }
    std::vector<CString> Names(const CCustomFieldMgr& mgr) const
    {
        std::vector<CString> names;
        for (int i = 0; i < mgr.GetFieldCount(); ++i)
            names.push_back(mgr.GetFieldAt(i)->GetName());
        return names;
    }

    CCustomFieldMgr m_mgr;
    CCustomField* m_fields[3] = {};
    int m_count = 0;
};

TEST_F(CustomFieldMgrTest, ListOperations)
{
    EXPECT_EQ(m_mgr.GetFieldAt(-1), nullptr);
    EXPECT_EQ(m_mgr.GetFieldAt(3), nullptr);
    m_mgr.SwapOrder(m_fields[0], m_fields[2]);
    EXPECT_EQ(Names(m_mgr), (std::vector<CString> { "Three", "Two", "One" }));
    CCustomField stranger;
    m_mgr.SwapOrder(m_fields[0], &stranger);
    m_mgr.SwapOrder(nullptr, m_fields[1]);
    m_mgr.Delete(&stranger);
    m_mgr.Delete(nullptr);
    m_mgr.Add(nullptr);
    m_mgr.Add(m_fields[1]);
    EXPECT_EQ(Names(m_mgr), (std::vector<CString> { "Three", "Two", "One" }));
    m_mgr.Delete(m_fields[1]);
    EXPECT_EQ(Names(m_mgr), (std::vector<CString> { "Three", "One" }));
}

TEST_F(CustomFieldMgrTest, CopiesAreDeepAndEqualityIsByName)
{
    CCustomFieldMgr copy(m_mgr);
    EXPECT_TRUE(copy == m_mgr);
    EXPECT_NE(copy.GetFieldAt(0), m_mgr.GetFieldAt(0));
    copy.GetFieldAt(0)->SetName("ONE");
    EXPECT_TRUE(copy == m_mgr);
    copy.GetFieldAt(1)->SetName("Changed");
    EXPECT_EQ(m_mgr.GetFieldAt(1)->GetName(), "Two");
    EXPECT_FALSE(copy == m_mgr);

    CCustomFieldMgr assigned;
    assigned = m_mgr;
    assigned = assigned;
    EXPECT_TRUE(assigned == m_mgr);
    assigned.Delete(assigned.GetFieldAt(2));
    EXPECT_FALSE(assigned == m_mgr);
}

TEST_F(CustomFieldMgrTest, BlockRoundTripReplacesFields)
{
    const std::string bytes = StoreBytes(m_mgr);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x03\x00\x00\x00", 6));
    CCustomFieldMgr read;
    read.Add(new CCustomField(MakeField("Old", CF_DATE)));
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_EQ(Names(read), (std::vector<CString> { "One", "Two", "Three" }));
    EXPECT_EQ(StoreBytes(read), bytes);
    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& ar) {
        CCustomFieldMgr target;
        target.Serialize(ar);
    });
}

TEST(CustomValueTest, EqualityFollowsTheLeftType)
{
    CCustomValue a(CCustomValue::stringValue);
    CCustomValue b(CCustomValue::booleanValue);
    a.SetValue("x");
    b.SetValue("y");
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(b == a); // booleans both false
    b.SetValue(true);
    EXPECT_FALSE(b == a);

    CCustomValue d1(CCustomValue::dateValue);
    CCustomValue d2(CCustomValue::dateValue);
    d1.SetValue(COleDateTime(2020, 5, 1, 0, 0, 0));
    d2.SetValue(COleDateTime(2020, 5, 1, 0, 0, 0));
    EXPECT_TRUE(d1 == d2);
    COleDateTime invalid(2020, 5, 1, 0, 0, 0);
    invalid.SetStatus(COleDateTime::invalid);
    d2.SetValue(invalid);
    EXPECT_FALSE(d1 == d2);
}

TEST(CustomValueTest, RecordRoundTripAndUnknownType)
{
    CCustomValue value(CCustomValue::dateValue);
    value.SetValue(COleDateTime(2021, 2, 3, 4, 5, 6));
    value.SetValue("text too");
    value.SetValue(true);
    const std::string bytes = StoreBytes(value);
    ASSERT_EQ(bytes.size(), 2u + 2 + 2 + 12 + 1 + 8);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x01\x00\x01\x00", 6));

    CCustomValue read(CCustomValue::stringValue);
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_EQ(read.GetType(), CCustomValue::dateValue);
    EXPECT_TRUE(read == value);
    EXPECT_EQ(read.GetStringValue(), "text too");
    EXPECT_TRUE(read.GetBoolValue());

    std::string odd = bytes;
    odd[2] = 7;
    LoadBytes(read, odd);
    EXPECT_EQ(read.GetType(), CCustomValue::booleanValue);

    CCustomValue target(CCustomValue::stringValue);
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(target.GetType(), CCustomValue::stringValue);
    EXPECT_EQ(target.GetStringValue(), "");
}

CCustomValue* NewString(const CString& text)
{
    auto* value = new CCustomValue(CCustomValue::stringValue);
    value->SetValue(text);
    return value;
}

TEST(CustomValueMgrTest, SetAtGrowsFillsAndAssigns)
{
    CCustomValueMgr mgr;
    CCustomValue* first = NewString("first");
    mgr.SetAt(2, first);
    EXPECT_EQ(mgr.GetValueCount(), 3);
    EXPECT_EQ(mgr.GetValueAt(0), nullptr);
    EXPECT_EQ(mgr.GetValueAt(2), first);
    EXPECT_EQ(mgr.GetValueAt(3), nullptr);

    CCustomValue* second = NewString("second");
    mgr.SetAt(2, second);
    EXPECT_EQ(second, first); // the caller's pointer now names the stored object
    EXPECT_EQ(first->GetStringValue(), "second");
    mgr.SetAt(2, first); // the stored object itself changes nothing
    EXPECT_EQ(mgr.GetValueAt(2), first);

    CCustomValue* none = nullptr;
    mgr.SetAt(0, none);
    CCustomValue* negative = NewString("n");
    mgr.SetAt(-1, negative);
    EXPECT_EQ(mgr.GetValueCount(), 3);
    delete negative;

    CCustomValue* zero = NewString("zero");
    mgr.SetAt(0, zero);
    mgr.Delete(zero);
    EXPECT_EQ(mgr.GetValueCount(), 2);
    EXPECT_EQ(mgr.GetValueAt(1), first);
}

TEST(CustomValueMgrTest, CopiesAreDeepAndEqualityIsBySize)
{
    CCustomValueMgr mgr;
    CCustomValue* value = NewString("a");
    mgr.SetAt(1, value);
    CCustomValueMgr copy(mgr);
    ASSERT_EQ(copy.GetValueCount(), 2);
    EXPECT_EQ(copy.GetValueAt(0), nullptr);
    ASSERT_NE(copy.GetValueAt(1), nullptr);
    EXPECT_NE(copy.GetValueAt(1), value);
    copy.GetValueAt(1)->SetValue("b");
    EXPECT_EQ(value->GetStringValue(), "a");
    EXPECT_TRUE(copy == mgr);
    CCustomValueMgr empty;
    EXPECT_FALSE(empty == mgr);
    empty = mgr;
    EXPECT_TRUE(empty == mgr);
}

TEST(CustomValueMgrTest, SlotsZeroAndTwoFilled)
{
    CCustomValueMgr mgr;
    CCustomValue* a = NewString("a");
    CCustomValue* c = NewString("c");
    mgr.SetAt(0, a);
    mgr.SetAt(2, c);
    const std::string bytes = StoreBytes(mgr);
    const std::string recordA = StoreBytes(*a);
    const std::string recordC = StoreBytes(*c);
    const std::string expected = std::string("\x01\x00\x03\x00\x00\x00", 6) + std::string("\x00\x00\x00\x00", 4)
        + recordA + std::string("\xFF\xFF\xFF\xFF", 4) + std::string("\x02\x00\x00\x00", 4) + recordC;
    EXPECT_EQ(bytes, expected);

    CCustomValueMgr read;
    CCustomValue* old = NewString("old");
    read.SetAt(5, old);
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    ASSERT_EQ(read.GetValueCount(), 3);
    EXPECT_EQ(read.GetValueAt(0)->GetStringValue(), "a");
    EXPECT_EQ(read.GetValueAt(1), nullptr);
    EXPECT_EQ(read.GetValueAt(2)->GetStringValue(), "c");
    EXPECT_EQ(StoreBytes(read), bytes);

    vemotest::ExpectTruncationsThrow(bytes, [](CArchive& ar) {
        CCustomValueMgr target;
        target.Serialize(ar);
    });
}

TEST(CustomValueMgrTest, SlotIndexOutsideTheArrayIsRefused)
{
    for (int index : { 3, 1000000000, -2 }) {
        CArchive ar;
        ar.WriteWord(1);
        ar.WriteInt(3);
        ar.WriteInt(index);
        CCustomValue value;
        value.Serialize(ar);
        ar.WriteInt(-1);
        ar.WriteInt(-1);
        const std::string bytes = ar.GetBuffer();
        CCustomValueMgr read;
        CArchive in { std::string_view(bytes) };
        EXPECT_THROW(read.Serialize(in), CArchiveException) << index;
        EXPECT_LE(read.GetValueCount(), 3);
    }
}

} // namespace
