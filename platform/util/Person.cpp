#include "platform/util/Person.h"

#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace {

constexpr WORD kPersonVersion = 1;

void AppendPart(CString& text, const CString& part, const char* separator)
{
    if (part.empty())
        return;
    if (!text.empty())
        text += separator;
    text += part;
}

} // namespace

CPerson::CPerson(const CString& first, const CString& middle, const CString& last)
    : m_firstName(first)
    , m_middleName(middle)
    , m_lastName(last)
{
}

CPerson& CPerson::operator=(const CPerson& other)
{
    if (this != &other) {
        m_uniqueID = other.m_uniqueID;
        m_firstName = other.m_firstName;
        m_middleName = other.m_middleName;
        m_lastName = other.m_lastName;
        m_homePhone = other.m_homePhone;
        m_workPhone = other.m_workPhone;
        m_mobilePhone = other.m_mobilePhone;
        m_email = other.m_email;
        m_url = other.m_url;
        m_address = other.m_address;
        m_notes = other.m_notes;
    }
    return *this;
}

bool CPerson::operator==(const CPerson& other) const
{
    return CStringUtils::EqualsNoCase(m_firstName, other.m_firstName)
        && CStringUtils::EqualsNoCase(m_middleName, other.m_middleName)
        && CStringUtils::EqualsNoCase(m_lastName, other.m_lastName);
}

void CPerson::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(kPersonVersion);
        ar.WriteInt(m_uniqueID);
        for (const CString* s : { &m_firstName, &m_middleName, &m_lastName, &m_homePhone, &m_workPhone, &m_mobilePhone,
                 &m_email, &m_url, &m_address, &m_notes })
            ar.WriteString(*s);
        return;
    }
    WORD version = ar.ReadWord();
    if (version != kPersonVersion)
        throw CArchiveException(
            CArchiveException::badFormat, "Unknown person record version " + std::to_string(version));
    // Read into a fresh record first, so a short stream leaves this one as it was.
    CPerson read;
    read.m_uniqueID = ar.ReadInt();
    for (CString* s : { &read.m_firstName, &read.m_middleName, &read.m_lastName, &read.m_homePhone, &read.m_workPhone,
             &read.m_mobilePhone, &read.m_email, &read.m_url, &read.m_address, &read.m_notes })
        *s = ar.ReadString();
    CPerson::operator=(read);
}

CString CPerson::FormName(bool firstNameFirst) const
{
    CString given;
    AppendPart(given, m_firstName, " ");
    AppendPart(given, m_middleName, " ");
    CString name;
    if (firstNameFirst) {
        name = given;
        AppendPart(name, m_lastName, " ");
    } else {
        name = m_lastName;
        AppendPart(name, given, ", ");
    }
    return name;
}

CString CPerson::GetPhoneNumbers() const
{
    CString text;
    if (!m_homePhone.empty())
        AppendPart(text, "home: " + m_homePhone, "; ");
    if (!m_workPhone.empty())
        AppendPart(text, "work: " + m_workPhone, "; ");
    if (!m_mobilePhone.empty())
        AppendPart(text, "mobile: " + m_mobilePhone, "; ");
    return text;
}
