#pragma once
// A file in the key file format of freedesktop.org desktop entries and
// mimeapps.list: "[Group]" headers, "Key=Value" lines, "#" comments. Only
// unlocalised keys are kept; a repeated group or key keeps its first value.

#include <map>

#include "platform/util/VemoTypes.h"

class CXdgKeyFile {
public:
    // False when the path is not a readable regular file.
    bool Load(const CString& path);

    bool HasGroup(const CString& group) const;
    bool HasKey(const CString& group, const CString& key) const;
    // The value as written ("" when absent).
    CString GetRaw(const CString& group, const CString& key) const;
    // The value with the escapes \s \n \t \r \\ decoded.
    CString GetString(const CString& group, const CString& key) const;
    // True only for "true" (and the older "1").
    bool GetBool(const CString& group, const CString& key) const;
    // The entries of a ";"-separated list ("\;" stands for a ";" inside an
    // entry), blank ones left out.
    CStringList GetStringList(const CString& group, const CString& key) const;

    static CString Unescape(const CString& value);

private:
    std::map<CString, std::map<CString, CString>> m_groups;
};
