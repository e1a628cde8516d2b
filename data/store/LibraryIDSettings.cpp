#include "data/store/LibraryIDSettings.h"

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

CString CLibraryIDSettings::FormatID(int number) const
{
    if (number <= 0)
        return CString();
    return m_prefix + CNumberTextConv::NumberToString(number, m_digitCount, "0", false) + m_postfix;
}

int CLibraryIDSettings::ParseNumberFromID(const CString& id) const
{
    if (CStringUtils::IsEffectivelyEmpty(id))
        return 0;
    CString rest = id;
    if (!m_prefix.empty() && CStringUtils::MatchFirstChars(rest, m_prefix, true))
        rest.erase(0, m_prefix.size());
    if (!m_postfix.empty() && CStringUtils::MatchLastChars(rest, m_postfix, true))
        rest.erase(rest.size() - m_postfix.size());
    return CNumberTextConv::ParseNumber(rest);
}

void CLibraryIDSettings::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        CMediaUtils::Serialize(ar, m_autoGenerate);
        ar.WriteInt(m_digitCount);
        ar.WriteString(m_prefix);
        ar.WriteString(m_postfix);
        return;
    }
    ar.ReadWord();
    bool autoGenerate = false;
    CMediaUtils::Serialize(ar, autoGenerate);
    const int digitCount = ar.ReadInt();
    CString prefix = ar.ReadString();
    CString postfix = ar.ReadString();
    // The one-shot options and the renumber sort order are not part of the record.
    m_autoGenerate = autoGenerate;
    SetDigitCount(digitCount);
    m_prefix = std::move(prefix);
    m_postfix = std::move(postfix);
}
