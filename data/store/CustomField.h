#pragma once
// A user-defined field of a media type: its name, data type, initial value,
// selection choices and web report tag.

#include "platform/util/VemoTypes.h"

class CArchive;

// Stored as a word; any other stored value reads as CF_TEXT.
enum CFDataType {
    CF_TEXT = 0, // string value; initial value text
    CF_DATE = 1, // date value; "today" flag
    CF_TRUEFALSE = 2, // boolean value; "on" flag
    CF_SELECTIONLIST = 3, // string value, one of the selections
    CF_LOCALFILENAME = 4, // string value, a path
    CF_WEBADDRESS = 5 // string value, no initial value
};

class CCustomField {
public:
    CCustomField() = default;
    CCustomField(const CCustomField&) = default;
    CCustomField& operator=(const CCustomField&) = default;
    ~CCustomField() = default;

    // Names equal ignoring case.
    bool operator==(const CCustomField& other) const;

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    CFDataType GetDataType() const { return m_dataType; }
    void SetDataType(CFDataType type) { m_dataType = type; }
    const CString& GetCustomWebReportTag() const { return m_customWebReportTag; }
    void SetCustomWebReportTag(const CString& tag) { m_customWebReportTag = tag; }

    const CString& GetInitialValue() const { return m_initialValue; }
    // Also empties the selection list.
    void SetInitialValue(const CString& text)
    {
        m_initialValue = text;
        m_selectionList.RemoveAll();
    }
    bool GetInitialValueDateToday() const { return m_initialValueDateToday; }
    // Also empties the selection list and the initial value text.
    void SetInitialValueDateToday(bool today)
    {
        m_initialValueDateToday = today;
        m_selectionList.RemoveAll();
        m_initialValue.clear();
    }
    bool GetInitialValueBooleanOn() const { return m_initialValueBooleanOn; }
    // Also empties the selection list and the initial value text.
    void SetInitialValueBooleanOn(bool on)
    {
        m_initialValueBooleanOn = on;
        m_selectionList.RemoveAll();
        m_initialValue.clear();
    }

    int GetSelectionListCount() const { return static_cast<int>(m_selectionList.GetSize()); }
    // A copy of the choice at index; "" outside 0..count-1.
    CString GetSelectionListItem(int index) const
    {
        return index >= 0 && index < GetSelectionListCount() ? m_selectionList.GetAt(index) : CString();
    }
    // Appends a choice and empties the initial value text.
    void AddSelectionListItem(const CString& text)
    {
        m_selectionList.Add(text);
        m_initialValue.clear();
    }
    void ClearSelectionList() { m_selectionList.RemoveAll(); }

    // "{CUSTOMFIELD_<tag>}" and "{CUSTOMVALUE_<tag>}" with blanks and tabs
    // made "_"; "" when the tag is empty.
    CString GetCustomWebReportFieldTag() const;
    CString GetCustomWebReportValueTag() const;

    // Record: version word (1), date-today and boolean-on (boolean words),
    // data type (word), name, web report tag, initial value, selection list.
    void Serialize(CArchive& ar);

private:
    bool m_initialValueDateToday = false;
    bool m_initialValueBooleanOn = false;
    CFDataType m_dataType = CF_TEXT;
    CString m_name;
    CString m_customWebReportTag;
    CString m_initialValue;
    CStringArray m_selectionList;
};
