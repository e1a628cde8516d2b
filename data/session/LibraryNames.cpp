#include "data/session/LibraryNames.h"

#include <algorithm>

#include "platform/util/DataFolder.h"
#include "platform/util/DirUtils.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

CStringArray CLibraryNames::List(const CString& dataDir)
{
    CStringList files;
    CDirUtils::ListFiles(dataDir, CDataFolder::LIBRARY_EXT, files);
    CStringArray names;
    for (const CString& file : files)
        if (CString name = CDataFolder::LibraryNameOf(file); !name.empty())
            names.Add(name);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        const int order = CStringUtils::CompareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

CString CLibraryNames::FindNoCase(const CStringArray& names, const CString& name)
{
    if (std::find(names.begin(), names.end(), name) != names.end())
        return name;
    for (const CString& listed : names)
        if (CStringUtils::EqualsNoCase(listed, name))
            return listed;
    return CString();
}

CString CLibraryNames::Resolve(const CString& dataDir, const CString& name)
{
    return FindNoCase(List(dataDir), name);
}

CString CLibraryNames::CheckName(const CString& name)
{
    if (CStringUtils::IsEffectivelyEmpty(name))
        return BLANK_MESSAGE;
    if (name.find_first_of(BAD_CHARS) != CString::npos)
        return BAD_CHARS_MESSAGE;
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    if (control || !CTextEncoding::IsValidUtf8(name))
        return CONTROL_MESSAGE;
    if (name.front() == '.')
        return LEADING_DOT_MESSAGE;
    if (name.size() > MAX_NAME_BYTES)
        return TOO_LONG_MESSAGE;
    if (CStringUtils::EqualsNoCase(name, CDataFolder::SHARED_DATA_TITLE))
        return RESERVED_MESSAGE;
    return CString();
}

CString CLibraryNames::CheckNewName(const CString& name, const CStringArray& existing)
{
    if (!FindNoCase(existing, name).empty())
        return EXISTS_MESSAGE;
    if (CString problem = CheckName(name); !problem.empty())
        return problem;
    if (existing.GetSize() >= MAX_LIBRARIES)
        return LIMIT_MESSAGE;
    return CString();
}

CString CLibraryNames::NewLibraryName(const CStringArray& existing)
{
    CString name = "My Library";
    for (int n = 2; !FindNoCase(existing, name).empty(); ++n)
        name = CStringUtils::Format("My Library #%d", n);
    return name;
}
