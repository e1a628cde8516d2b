#include "cli/CliArgs.h"

bool CCliArgs::Parse(const std::vector<CString>& args, const std::vector<CCliOption>& options, CString& error)
{
    m_values.clear();
    m_positional.clear();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--")
                optionsEnded = true;
            else
                m_positional.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const CString name = arg.substr(2, equals == CString::npos ? CString::npos : equals - 2);
        const CCliOption* option = nullptr;
        for (const CCliOption& candidate : options)
            if (name == candidate.name)
                option = &candidate;
        if (!option) {
            error = "unknown option --" + name;
            return false;
        }
        if (!option->takesValue) {
            if (equals != CString::npos) {
                error = "option --" + name + " takes no value";
                return false;
            }
            m_values[name].push_back(CString());
        } else if (equals != CString::npos) {
            m_values[name].push_back(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            m_values[name].push_back(args[++i]);
        } else {
            error = "option --" + name + " needs a value";
            return false;
        }
    }
    return true;
}

CString CCliArgs::Value(const CString& option, const CString& fallback) const
{
    auto it = m_values.find(option);
    return it == m_values.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<CString> CCliArgs::Values(const CString& option) const
{
    auto it = m_values.find(option);
    return it == m_values.end() ? std::vector<CString>() : it->second;
}
