#include "data/store/CustomField.h"

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace {

CString MakeTag(const char* kind, const CString& tag)
{
    if (tag.empty())
        return CString();
    CString result = CString("{") + kind + tag + "}";
    for (char& c : result)
        if (c == ' ' || c == '\t')
            c = '_';
    return result;
}

CFDataType ToDataType(WORD value)
{
    return value <= CF_WEBADDRESS ? static_cast<CFDataType>(value) : CF_TEXT;
}

} // namespace

bool CCustomField::operator==(const CCustomField& other) const
{
    return CStringUtils::EqualsNoCase(m_name, other.m_name);
}

CString CCustomField::GetCustomWebReportFieldTag() const
{
    return MakeTag("CUSTOMFIELD_", m_customWebReportTag);
}

CString CCustomField::GetCustomWebReportValueTag() const
{
    return MakeTag("CUSTOMVALUE_", m_customWebReportTag);
}

void CCustomField::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        CMediaUtils::Serialize(ar, m_initialValueDateToday);
        CMediaUtils::Serialize(ar, m_initialValueBooleanOn);
        ar.WriteWord(static_cast<WORD>(ToDataType(static_cast<WORD>(m_dataType))));
        ar.WriteString(m_name);
        ar.WriteString(m_customWebReportTag);
        ar.WriteString(m_initialValue);
        ar.WriteStringArray(m_selectionList);
        return;
    }
    CCustomField read;
    ar.ReadWord();
    CMediaUtils::Serialize(ar, read.m_initialValueDateToday);
    CMediaUtils::Serialize(ar, read.m_initialValueBooleanOn);
    read.m_dataType = ToDataType(ar.ReadWord());
    read.m_name = ar.ReadString();
    read.m_customWebReportTag = ar.ReadString();
    read.m_initialValue = ar.ReadString();
    ar.ReadStringArray(read.m_selectionList);
    *this = std::move(read);
}
