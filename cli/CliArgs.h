#pragma once
// The arguments of one subcommand: options (--name, --name VALUE or
// --name=VALUE, the valued ones possibly repeated) and positional words.
// "--" ends the options.

#include <map>
#include <vector>

#include "platform/util/VemoTypes.h"

struct CCliOption {
    const char* name; // without the dashes
    bool takesValue;
};

class CCliArgs {
public:
    // Parses args against the options; false (error set) for an unknown
    // option or a missing value.
    bool Parse(const std::vector<CString>& args, const std::vector<CCliOption>& options, CString& error);

    bool Has(const CString& option) const { return m_values.count(option) != 0; }
    // The last value given for option; fallback when it was not given.
    CString Value(const CString& option, const CString& fallback = CString()) const;
    // Every value given for option, in order.
    std::vector<CString> Values(const CString& option) const;
    const std::vector<CString>& Positional() const { return m_positional; }

private:
    std::map<CString, std::vector<CString>> m_values;
    std::vector<CString> m_positional;
};
