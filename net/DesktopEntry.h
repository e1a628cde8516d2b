#pragma once
// The [Desktop Entry] group of a freedesktop.org .desktop file: what an
// installed application calls itself and how it is started.

#include "platform/util/VemoTypes.h"

class CDesktopEntry {
public:
    // False when the file cannot be read or has no [Desktop Entry] group.
    bool Load(const CString& path);

    const CString& GetPath() const { return m_path; }
    const CString& GetName() const { return m_name; }
    const CString& GetExec() const { return m_exec; }
    const CString& GetIcon() const { return m_icon; }
    const CString& GetTryExec() const { return m_tryExec; }
    // A hidden entry counts as deleted, also for entries of the same id in
    // folders of lower precedence.
    bool IsHidden() const { return m_hidden; }
    bool IsNoDisplay() const { return m_noDisplay; }
    // Not hidden, and its TryExec program (when it names one) exists.
    bool IsInstalled() const;

    // The program that Exec starts, as written there ("" when none).
    CString GetProgram() const { return ParseExecProgram(m_exec); }

    // The words of an Exec value after its quoting rules (double quotes, in
    // which \" \` \$ \\ stand for the character); field codes such as %u
    // are left out and "%%" gives "%".
    static CStringArray SplitExec(const CString& exec);
    // The first word of Exec, skipping an "env NAME=value ..." prefix.
    static CString ParseExecProgram(const CString& exec);

private:
    CString m_path;
    CString m_name;
    CString m_exec;
    CString m_icon;
    CString m_tryExec;
    bool m_hidden = false;
    bool m_noDisplay = false;
};
