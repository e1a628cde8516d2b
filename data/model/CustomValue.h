#pragma once
// One item's value of one custom field: a boolean, a date or a string.

#include "platform/util/OleDateTime.h"
#include "platform/util/SmallObjectPool.h"
#include "platform/util/VemoTypes.h"

class CArchive;

class CCustomValue : public CPooledObject {
public:
    // Stored as a word; any other stored value reads as booleanValue.
    enum ValueType { booleanValue = 0, dateValue = 1, stringValue = 2 };

    explicit CCustomValue(ValueType type = booleanValue)
        : m_type(type)
    {
    }
    CCustomValue(const CCustomValue&) = default;
    CCustomValue& operator=(const CCustomValue&) = default;
    ~CCustomValue() = default;

    // By this value's type: dates by status and number, strings exactly,
    // booleans by value.
    bool operator==(const CCustomValue& other) const;

    ValueType GetType() const { return m_type; }
    void SetType(ValueType type) { m_type = type; }

    // Each overload touches only its own field, whatever the type.
    void SetValue(const CString& value) { m_stringValue = value; }
    void SetValue(const char* value) { m_stringValue = value ? value : ""; } // not the bool overload
    void SetValue(const COleDateTime& value) { m_dateValue = value; }
    void SetValue(bool value) { m_boolValue = value; }
    void GetValue(CString& value) const { value = m_stringValue; }
    void GetValue(COleDateTime& value) const { value = m_dateValue; }
    void GetValue(bool& value) const { value = m_boolValue; }
    const CString& GetStringValue() const { return m_stringValue; }
    const COleDateTime& GetDateValue() const { return m_dateValue; }
    bool GetBoolValue() const { return m_boolValue; }

    // Record: version word (1), type (word), boolean (word), date, string;
    // all three values whatever the type.
    void Serialize(CArchive& ar);

private:
    ValueType m_type;
    bool m_boolValue = false;
    COleDateTime m_dateValue;
    CString m_stringValue;
};
