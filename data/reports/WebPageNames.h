#pragma once
// File names of the pages of one web report run. The home page keeps its
// name; a deeper page is named after the home page, its level and the sort
// values of the groups that lead to it ("Books_LVL2_Dune.htm"). Every name
// is one safe file name inside the output folder, at most 255 bytes, and no
// two pages of a run share a name, even ignoring case.

#include <unordered_set>
#include <vector>

#include "platform/util/VemoTypes.h"

class CWebPageNames {
public:
    // What the file system allows for one name.
    static constexpr std::size_t MAX_NAME_BYTES = 255;

    explicit CWebPageNames(const CString& homePage);

    // The home page's file name and that name without its extension.
    const CString& GetHomeName() const { return m_homeName; }
    const CString& GetHomeBase() const { return m_homeBase; }

    // A name for a new page of level 2 or 3; values holds the first and
    // second sort value of each level above it. A pair of empty values
    // counts as "(none)". When the name is taken (ignoring case) a short
    // hash of the values is added.
    CString Allocate(int level, const std::vector<CString>& values);

    // The pages of a report whose home page base name is homeBase: ".htm"
    // files whose names start with homeBase + "_LVL2_" or "_LVL3_".
    static bool IsPageOfReport(const CString& fileName, const CString& homeBase);
    static CString LevelMarker(int level);

private:
    static CString HashSuffix(const std::vector<CString>& values, int attempt);

    CString m_homeName;
    CString m_homeBase;
    std::unordered_set<CString> m_taken; // lower-cased
};
