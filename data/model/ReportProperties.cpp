#include "data/model/ReportProperties.h"

#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

bool CReportProperties::operator==(const CReportProperties& other) const
{
    return m_imageWidth == other.m_imageWidth && m_imageHeight == other.m_imageHeight
        && CStringUtils::EqualsNoCase(m_imageFile, other.m_imageFile);
}

void CReportProperties::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(m_imageWidth);
        ar.WriteInt(m_imageHeight);
        ar.WriteString(m_imageFile);
        return;
    }
    ar.ReadWord();
    const int width = ar.ReadInt();
    const int height = ar.ReadInt();
    CString file = ar.ReadString();
    // A size without a picture means nothing.
    const bool hasFile = !file.empty();
    m_imageWidth = hasFile ? width : 0;
    m_imageHeight = hasFile ? height : 0;
    m_imageFile = std::move(file);
}
