#include "data/store/CustomValueEdit.h"

#include <memory>

#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/Item.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// The slot's value, made (or given the field's kind) when needed; null for
// items without custom values.
CCustomValue* Slot(CItem& item, int index, CCustomValue::ValueType type)
{
    CCustomValueMgr* values = item.GetCustomValues();
    if (!values || index < 0)
        return nullptr;
    CCustomValue* value = values->GetValueAt(index);
    if (!value) {
        auto made = std::make_unique<CCustomValue>(type);
        value = made.get();
        values->SetAt(index, value);
        made.release();
    }
    value->SetType(type);
    return value;
}

} // namespace

CString CCustomValueEdit::GetText(const CItem& item, int index, const CCustomField& field)
{
    const CCustomValueMgr* values = item.GetCustomValues();
    const CCustomValue* value = values ? values->GetValueAt(index) : nullptr;
    switch (field.GetDataType()) {
    case CF_DATE:
        return value ? CDateTimeUtils::ConvertDateNumbers(value->GetDateValue(), false, false, false, false)
                     : CString();
    case CF_TRUEFALSE:
        return value && value->GetBoolValue() ? "Y" : "N";
    default:
        return value ? value->GetStringValue() : CString();
    }
}

bool CCustomValueEdit::GetBool(const CItem& item, int index)
{
    const CCustomValueMgr* values = item.GetCustomValues();
    const CCustomValue* value = values ? values->GetValueAt(index) : nullptr;
    return value && value->GetBoolValue();
}

bool CCustomValueEdit::SetText(CItem& item, int index, const CCustomField& field, const CString& text, CString& message)
{
    message.clear();
    if (field.GetDataType() == CF_TRUEFALSE)
        return SetBool(item, index, CMediaUtils::IsYes(text));
    const CString before = GetText(item, index, field);
    if (field.GetDataType() == CF_DATE) {
        COleDateTime date;
        if (!CDateTimeUtils::ConvertDateNumbers(text, date) && date.GetStatus() != COleDateTime::null) {
            message = CStringUtils::Format(
                "VemoLibrary modified your %s entry, because the entered text of \"%s\" was not valid.",
                field.GetName().c_str(), text.c_str());
            return false;
        }
        if (text.empty() || CStringUtils::IsEffectivelyEmpty(text)) {
            // Nothing to clear where nothing was stored.
            if (before.empty())
                return false;
        }
        CCustomValue* value = Slot(item, index, CCustomValue::dateValue);
        if (!value)
            return false;
        value->SetValue(date);
        return GetText(item, index, field) != before;
    }
    if (text == before)
        return false;
    CCustomValue* value = Slot(item, index, ValueTypeOf(field.GetDataType()));
    if (!value)
        return false;
    value->SetValue(text);
    return true;
}

bool CCustomValueEdit::SetBool(CItem& item, int index, bool value)
{
    const CCustomValueMgr* values = item.GetCustomValues();
    const CCustomValue* stored = values ? values->GetValueAt(index) : nullptr;
    if (stored && stored->GetType() == CCustomValue::booleanValue && stored->GetBoolValue() == value)
        return false;
    CCustomValue* slot = Slot(item, index, CCustomValue::booleanValue);
    if (!slot)
        return false;
    slot->SetValue(value);
    return true;
}

CCustomValue::ValueType CCustomValueEdit::ValueTypeOf(CFDataType type)
{
    switch (type) {
    case CF_DATE:
        return CCustomValue::dateValue;
    case CF_TRUEFALSE:
        return CCustomValue::booleanValue;
    default:
        return CCustomValue::stringValue;
    }
}
