#include "data/model/PropMapUtils.h"

#include <cmath>

#include "data/model/MediaUtils.h"
#include "platform/util/NumberTextConv.h"

void CPropMapUtils::Answer(CMapStringToString& data, const CString& key, const CString& value)
{
    if (CString* entry = data.PLookup(key))
        *entry = value;
}

void CPropMapUtils::AnswerInt(CMapStringToString& data, const CString& key, int value, bool blankZero)
{
    if (CString* entry = data.PLookup(key))
        *entry = (blankZero && value == 0) ? CString() : CNumberTextConv::NumberToString(value, 0, CString(), false);
}

void CPropMapUtils::AnswerCount(CMapStringToString& data, const CString& key, int count)
{
    if (CString* entry = data.PLookup(key))
        *entry = CNumberTextConv::NumberToString(count, 0, CString(), true);
}

void CPropMapUtils::AnswerBool(CMapStringToString& data, const CString& key, bool value)
{
    if (CString* entry = data.PLookup(key))
        *entry = value ? "Y" : "N";
}

bool CPropMapUtils::TakeText(const CMapStringToString& data, const CString& key, CString& field, bool overwrite)
{
    const CString* value = data.PLookup(key);
    if (!value || (!overwrite && !field.empty()))
        return false;
    field = *value;
    return true;
}

bool CPropMapUtils::TakeInt(
    const CMapStringToString& data, const CString& key, int& field, bool overwrite, int minValue, int maxValue)
{
    const CString* value = data.PLookup(key);
    if (!value || (!overwrite && field != 0))
        return false;
    field = ParseInt(*value, minValue, maxValue);
    return true;
}

bool CPropMapUtils::TakeBool(const CMapStringToString& data, const CString& key, bool& field, bool overwrite)
{
    const CString* value = data.PLookup(key);
    if (!value || (!overwrite && field))
        return false;
    field = CMediaUtils::IsYes(*value);
    return true;
}

int CPropMapUtils::ParseInt(const CString& text, int minValue, int maxValue)
{
    double value = std::trunc(CNumberTextConv::GetDoubleFromString(text));
    if (std::isnan(value))
        value = 0.0;
    // Clamp as a double first: a huge text must not overflow the int.
    value = std::clamp(value, static_cast<double>(minValue), static_cast<double>(maxValue));
    return static_cast<int>(value);
}
