#include "data/store/CustomFieldMgr.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace {

// Version, two flags, data type, three empty strings, an empty string array.
constexpr std::size_t kMinFieldBytes = 2 + 2 + 2 + 2 + 1 + 1 + 1 + 2;

} // namespace

CCustomFieldMgr::CCustomFieldMgr(const CCustomFieldMgr& source)
{
    *this = source;
}

CCustomFieldMgr& CCustomFieldMgr::operator=(const CCustomFieldMgr& source)
{
    if (this == &source)
        return *this;
    // Copies are made first, so a failed copy leaves this list as it was.
    CArray<CCustomField*, CCustomField*> copies;
    try {
        for (const CCustomField* field : source.m_fields) {
            auto copy = std::make_unique<CCustomField>(*field);
            copies.Add(copy.get());
            copy.release();
        }
    } catch (...) {
        for (CCustomField* copy : copies)
            delete copy;
        throw;
    }
    ClearAll();
    m_fields.swap(copies);
    return *this;
}

CCustomFieldMgr::~CCustomFieldMgr()
{
    ClearAll();
}

bool CCustomFieldMgr::operator==(const CCustomFieldMgr& other) const
{
    if (GetFieldCount() != other.GetFieldCount())
        return false;
    for (int i = 0; i < GetFieldCount(); ++i) {
        const CCustomField* mine = m_fields.GetAt(i);
        const CCustomField* theirs = other.m_fields.GetAt(i);
        if (!mine || !theirs || !(*mine == *theirs))
            return false;
    }
    return true;
}

void CCustomFieldMgr::Add(CCustomField* field)
{
    // The same object twice would be destroyed twice.
    if (!field || std::find(m_fields.begin(), m_fields.end(), field) != m_fields.end())
        return;
    m_fields.Add(field);
}

CCustomField* CCustomFieldMgr::Find(const CString& name) const
{
    const CString wanted = CStringUtils::Trim(name);
    for (CCustomField* field : m_fields)
        if (field && CStringUtils::EqualsNoCase(field->GetName(), wanted))
            return field;
    return nullptr;
}

CString CCustomFieldMgr::CheckNewName(const CString& name, const CCustomField* except) const
{
    const CString trimmed = CStringUtils::Trim(name);
    if (trimmed.empty())
        return "A custom field needs a name.";
    for (const CString& prop : CMediaUtils::GetAllDataProps())
        if (CStringUtils::EqualsNoCase(prop, trimmed))
            return "\"" + trimmed + "\" is the name of a data property.";
    const CCustomField* other = Find(trimmed);
    if (other && other != except)
        return "There is a custom field named \"" + other->GetName() + "\" already.";
    return CString();
}

void CCustomFieldMgr::Delete(CCustomField* field)
{
    if (!field)
        return;
    auto it = std::find(m_fields.begin(), m_fields.end(), field);
    if (it == m_fields.end())
        return;
    m_fields.erase(it);
    delete field;
}

void CCustomFieldMgr::SwapOrder(CCustomField* a, CCustomField* b)
{
    if (!a || !b)
        return;
    auto itA = std::find(m_fields.begin(), m_fields.end(), a);
    auto itB = std::find(m_fields.begin(), m_fields.end(), b);
    if (itA == m_fields.end() || itB == m_fields.end())
        return;
    std::iter_swap(itA, itB);
}

void CCustomFieldMgr::ClearAll()
{
    for (CCustomField* field : m_fields)
        delete field;
    m_fields.RemoveAll();
}

void CCustomFieldMgr::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        // Empty slots cannot be written as records: count only real fields.
        std::int32_t count = 0;
        for (const CCustomField* field : m_fields)
            count += field ? 1 : 0;
        ar.WriteInt(count);
        for (CCustomField* field : m_fields)
            if (field)
                field->Serialize(ar);
        return;
    }
    ar.ReadWord();
    ClearAll();
    const int count = ar.ReadCount(kMinFieldBytes);
    for (int i = 0; i < count; ++i) {
        auto field = std::make_unique<CCustomField>();
        field->Serialize(ar);
        m_fields.Add(field.get());
        field.release();
    }
}
