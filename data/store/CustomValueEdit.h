#pragma once
// Editing one item's value of one custom field, addressed by the field's
// position: the text an editor shows, and typed text taken into the value
// slot (made when missing, of the kind the field's data type needs).

#include "data/model/CustomValue.h"
#include "data/store/CustomField.h"
#include "platform/util/VemoTypes.h"

class CItem;

class CCustomValueEdit {
public:
    // The value as an editor shows it: strings as stored, dates as
    // "YYYY-MM-DD" ("" when unset), true/false as "Y"/"N" ("N" when unset).
    static CString GetText(const CItem& item, int index, const CCustomField& field);
    static bool GetBool(const CItem& item, int index);

    // Takes text into the slot by the field's data type: strings as typed,
    // dates parsed (blank clears the date), true/false by CMediaUtils::IsYes.
    // Returns whether the value changed; a text that is no date changes
    // nothing and sets message. Items without custom values take nothing.
    static bool SetText(CItem& item, int index, const CCustomField& field, const CString& text, CString& message);
    static bool SetBool(CItem& item, int index, bool value);

    // The kind of value slot a field of the data type keeps.
    static CCustomValue::ValueType ValueTypeOf(CFDataType type);
};
