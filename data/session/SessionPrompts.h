#pragma once
// What a library session tells the user and asks them. The program shows
// message boxes; the tool cannot ask, so it takes the choice that changes
// nothing and reports what it was told.

#include <vector>

#include "platform/util/VemoTypes.h"

class CSessionPrompts {
public:
    virtual ~CSessionPrompts() = default;

    // A problem the user is to know of.
    virtual void Tell(const CString& title, const CString& text) = 0;
    // A yes/no question; yes is the default answer.
    virtual bool Confirm(const CString& title, const CString& text) = 0;
    // A question with its own buttons: the index of the one chosen. The
    // first is the default; the last is the one that changes nothing, which
    // closing the question chooses too.
    virtual int Choose(const CString& title, const CString& text, const std::vector<CString>& choices) = 0;
};

// Answers every question with the choice that changes nothing and keeps
// what it was told, for callers that cannot ask (the tool).
class CQuietPrompts : public CSessionPrompts {
public:
    void Tell(const CString& title, const CString& text) override { m_told.push_back(text); }
    bool Confirm(const CString&, const CString& text) override
    {
        m_told.push_back(text);
        return false;
    }
    int Choose(const CString&, const CString& text, const std::vector<CString>& choices) override
    {
        m_told.push_back(text);
        return static_cast<int>(choices.size()) - 1;
    }

    const std::vector<CString>& Told() const { return m_told; }
    // Every text told since the last call, one per line.
    CString TakeTold()
    {
        CString text;
        for (const CString& line : m_told)
            text += (text.empty() ? "" : "\n") + line;
        m_told.clear();
        return text;
    }

private:
    std::vector<CString> m_told;
};
