#pragma once
// A program version of three parts ("2.0.4"), ordered part by part.

#include <compare>
#include <string>

#include "platform/util/VemoTypes.h"

class CVersionNumber {
public:
    CVersionNumber() = default;
    CVersionNumber(int first, int second, int third)
        : m_first(first)
        , m_second(second)
        , m_third(third)
    {
    }

    int GetMajor() const { return m_first; }
    int GetMinor() const { return m_second; }
    int GetBuild() const { return m_third; }
    bool IsZero() const { return m_first == 0 && m_second == 0 && m_third == 0; }

    CString ToString() const
    {
        return std::to_string(m_first) + "." + std::to_string(m_second) + "." + std::to_string(m_third);
    }

    auto operator<=>(const CVersionNumber&) const = default;

private:
    int m_first = 0;
    int m_second = 0;
    int m_third = 0;
};
