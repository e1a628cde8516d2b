#include "data/model/Category.h"

#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

bool CCategory::operator==(const CCategory& other) const
{
    return CStringUtils::EqualsNoCase(m_name, other.m_name);
}

bool CCategory::operator<(const CCategory& other) const
{
    return CStringUtils::CompareNoCase(m_name, other.m_name) < 0;
}

void CCategory::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(m_uniqueID);
        ar.WriteString(m_name);
        ar.WriteString(m_description);
        return;
    }
    ar.ReadWord();
    const int id = ar.ReadInt();
    // Stored directly: SetName refuses "<none>", which the none category must keep.
    CString name = ar.ReadString();
    CString description = ar.ReadString();
    m_uniqueID = id;
    m_name = std::move(name);
    m_description = std::move(description);
}
