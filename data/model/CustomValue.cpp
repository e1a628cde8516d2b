#include "data/model/CustomValue.h"

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

bool CCustomValue::operator==(const CCustomValue& other) const
{
    switch (m_type) {
    case dateValue:
        return m_dateValue.GetStatus() == other.m_dateValue.GetStatus()
            && m_dateValue.GetValue() == other.m_dateValue.GetValue();
    case stringValue:
        return m_stringValue == other.m_stringValue;
    case booleanValue:
    default:
        return m_boolValue == other.m_boolValue;
    }
}

void CCustomValue::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteWord(static_cast<WORD>(m_type));
        CMediaUtils::Serialize(ar, m_boolValue);
        ar.WriteDate(m_dateValue);
        ar.WriteString(m_stringValue);
        return;
    }
    CCustomValue read;
    ar.ReadWord();
    const WORD type = ar.ReadWord();
    read.m_type = type == dateValue || type == stringValue ? static_cast<ValueType>(type) : booleanValue;
    CMediaUtils::Serialize(ar, read.m_boolValue);
    read.m_dateValue = ar.ReadDate();
    read.m_stringValue = ar.ReadString();
    *this = std::move(read);
}
