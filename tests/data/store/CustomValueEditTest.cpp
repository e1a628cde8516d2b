#include <gtest/gtest.h>

#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/store/CustomField.h"
#include "data/store/CustomValueEdit.h"

namespace {

struct ValueCase {
    CFDataType type;
    const char* typed;
    const char* shown;
    bool changed;
    bool refused;
    CCustomValue::ValueType stored;
};

class CustomValueEditTest : public ::testing::TestWithParam<ValueCase> {
protected:
    void TearDown() override { CCategoryMgr::DeleteInstance(); }
};

TEST_P(CustomValueEditTest, TypedTextGoesIntoTheFieldsSlot)
{
    const ValueCase& c = GetParam();
    CCustomField field;
    field.SetName("Signed");
    field.SetDataType(c.type);
    CBook book;
    CString message;
    EXPECT_EQ(CCustomValueEdit::SetText(book, 2, field, c.typed, message), c.changed);
    EXPECT_EQ(!message.empty(), c.refused) << message;
    EXPECT_EQ(CCustomValueEdit::GetText(book, 2, field), c.shown);
    // Slots before it stay empty; a refused text makes none.
    EXPECT_EQ(book.GetCustomValues()->GetValueAt(0), nullptr);
    const CCustomValue* value = book.GetCustomValues()->GetValueAt(2);
    if (c.changed) {
        ASSERT_TRUE(value && value->GetType() == c.stored);
    } else if (c.refused) {
        EXPECT_EQ(value, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Types, CustomValueEditTest,
    ::testing::Values(ValueCase { CF_TEXT, "first edition", "first edition", true, false, CCustomValue::stringValue },
        ValueCase { CF_TEXT, "", "", false, false, CCustomValue::stringValue },
        ValueCase { CF_SELECTIONLIST, "Mint", "Mint", true, false, CCustomValue::stringValue },
        ValueCase {
            CF_LOCALFILENAME, "/home/ann/scan.pdf", "/home/ann/scan.pdf", true, false, CCustomValue::stringValue },
        ValueCase {
            CF_WEBADDRESS, "https://example.org", "https://example.org", true, false, CCustomValue::stringValue },
        ValueCase { CF_DATE, "3/4/2024", "2024-03-04", true, false, CCustomValue::dateValue },
        ValueCase { CF_DATE, "soon", "", false, true, CCustomValue::dateValue },
        ValueCase { CF_DATE, " ", "", false, false, CCustomValue::dateValue },
        ValueCase { CF_TRUEFALSE, "yes", "Y", true, false, CCustomValue::booleanValue },
        ValueCase { CF_TRUEFALSE, "no", "N", true, false, CCustomValue::booleanValue }));

TEST(CustomValueEditStandalone, AValueOfAnotherKindTakesTheFieldsKind)
{
    CCustomField field;
    field.SetDataType(CF_TRUEFALSE);
    CCD cd;
    CString message;
    ASSERT_TRUE(CCustomValueEdit::SetText(cd, 0, field, "kept", message));
    EXPECT_EQ(cd.GetCustomValues()->GetValueAt(0)->GetType(), CCustomValue::booleanValue);
    EXPECT_FALSE(CCustomValueEdit::SetBool(cd, 0, true));
    EXPECT_TRUE(CCustomValueEdit::SetBool(cd, 0, false));
    field.SetDataType(CF_DATE);
    ASSERT_TRUE(CCustomValueEdit::SetText(cd, 0, field, "2020-01-31", message));
    EXPECT_EQ(cd.GetCustomValues()->GetValueAt(0)->GetType(), CCustomValue::dateValue);
    EXPECT_FALSE(CCustomValueEdit::SetText(cd, 0, field, "31.1.2020", message));
    EXPECT_TRUE(CCustomValueEdit::SetText(cd, 0, field, "", message));
    EXPECT_EQ(CCustomValueEdit::GetText(cd, 0, field), "");
    CCategoryMgr::DeleteInstance();
}

} // namespace
