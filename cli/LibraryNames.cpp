#include "cli/LibraryNames.h"

#include <algorithm>

#include "platform/appcfg/AppPaths.h"
#include "platform/util/DirUtils.h"
#include "platform/util/StringUtils.h"

CStringArray CLibraryNames::List(const CString& dataDir)
{
    CStringList files;
    CDirUtils::ListFiles(dataDir, CAppPaths::LIBRARY_EXT, files);
    const CString suffix = CString(".") + CAppPaths::LIBRARY_EXT;
    CStringArray names;
    for (const CString& file : files) {
        // Only this spelling of the extension is opened as a library.
        if (file.size() > suffix.size() && file.compare(file.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.Add(file.substr(0, file.size() - suffix.size()));
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        const int order = CStringUtils::CompareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

CString CLibraryNames::Resolve(const CString& dataDir, const CString& name)
{
    const CStringArray names = List(dataDir);
    if (std::find(names.begin(), names.end(), name) != names.end())
        return name;
    for (const CString& listed : names)
        if (CStringUtils::EqualsNoCase(listed, name))
            return listed;
    return CString();
}

bool CLibraryNames::CheckNewName(const CString& name, const CStringArray& existing, CString& error)
{
    for (const CString& listed : existing) {
        if (CStringUtils::EqualsNoCase(listed, name)) {
            error = EXISTS_MESSAGE;
            return false;
        }
    }
    if (CStringUtils::IsEffectivelyEmpty(name)) {
        error = BLANK_MESSAGE;
        return false;
    }
    // The name is the file name; the characters other systems refuse are
    // refused too, so that a library can be copied anywhere.
    const bool badCharacter = std::any_of(name.begin(), name.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || CString("\\/:*?\"<>|").find(c) != CString::npos; });
    if (badCharacter || name == "." || name == "..") {
        error = "A Library name cannot contain any of the characters \\ / : * ? \" < > | or control characters.";
        return false;
    }
    // Archives of the shared data file begin with this name.
    if (CStringUtils::EqualsNoCase(name, "vemolibrary2")) {
        error = "The Library name is a reserved name and cannot be used. Please change the name to something "
                "different.";
        return false;
    }
    if (existing.GetSize() >= MAX_LIBRARIES) {
        error = LIMIT_MESSAGE;
        return false;
    }
    return true;
}
