#include "net/DesktopEntry.h"

#include "net/ProgramLauncher.h"
#include "net/XdgKeyFile.h"

namespace {

const char* const ENTRY_GROUP = "Desktop Entry";

bool IsFieldCode(const CString& word)
{
    return word.size() == 2 && word[0] == '%' && word[1] != '%';
}

} // namespace

bool CDesktopEntry::Load(const CString& path)
{
    *this = CDesktopEntry();
    CXdgKeyFile file;
    if (!file.Load(path) || !file.HasGroup(ENTRY_GROUP))
        return false;
    m_path = path;
    m_name = file.GetString(ENTRY_GROUP, "Name");
    m_exec = file.GetString(ENTRY_GROUP, "Exec");
    m_icon = file.GetString(ENTRY_GROUP, "Icon");
    m_tryExec = file.GetString(ENTRY_GROUP, "TryExec");
    m_hidden = file.GetBool(ENTRY_GROUP, "Hidden");
    m_noDisplay = file.GetBool(ENTRY_GROUP, "NoDisplay");
    return true;
}

bool CDesktopEntry::IsInstalled() const
{
    if (m_hidden)
        return false;
    return m_tryExec.empty() || !CProgramLauncher::FindProgram(m_tryExec).empty();
}

CStringArray CDesktopEntry::SplitExec(const CString& exec)
{
    CStringArray words;
    CString word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size()) {
                word += exec[++i];
            } else {
                word += c;
            }
            continue;
        }
        if (c == ' ' || c == '\t') {
            if (inWord && !IsFieldCode(word))
                words.Add(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '"') {
            quoted = true;
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            word += '%';
            ++i;
        } else {
            word += c;
        }
    }
    if (inWord && !IsFieldCode(word))
        words.Add(word);
    return words;
}

CString CDesktopEntry::ParseExecProgram(const CString& exec)
{
    const CStringArray words = SplitExec(exec);
    INT_PTR i = 0;
    if (i < words.GetSize() && (words[i] == "env" || words[i] == "/usr/bin/env")) {
        ++i;
        while (i < words.GetSize() && words[i].find('=') != CString::npos)
            ++i;
    }
    return i < words.GetSize() ? words[i] : CString();
}
