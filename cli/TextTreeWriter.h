#pragma once
// Writes a tree as indented text for people: "key: value" lines, members of
// objects and arrays indented below their key, array elements numbered.
// Line breaks inside values continue on lines indented under the value.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/TreeWriter.h"

class CTextTreeWriter : public CTreeWriter {
public:
    explicit CTextTreeWriter(std::ostream& out)
        : CTreeWriter(out)
    {
    }
    explicit CTextTreeWriter(CTreeText& text)
        : CTreeWriter(text)
    {
    }

    void BeginObject(const CString& key = CString()) override;
    void EndObject() override;
    void BeginArray(const CString& key = CString()) override;
    void EndArray() override;
    void String(const CString& key, const CString& value) override;
    void Integer(const CString& key, std::int64_t value) override;
    void Real(const CString& key, double value) override;
    void Bool(const CString& key, bool value) override;
    void Finish() override;
    std::unique_ptr<CTreeWriter> ForkArray(CTreeText& text, int before) const override;
    void JoinArray(CTreeText& text, int count) override;

private:
    struct CLevel {
        bool isArray;
        int count = 0;
        bool written = false; // a line was written inside
    };
    // The label of the next member or element: its key, or for an array
    // element its number (kept in m_number).
    std::string_view Label(const CString& key);
    void Line(std::string_view label, std::string_view value);
    void Begin(const CString& key, bool isArray);
    void End();

    std::vector<CLevel> m_levels;
    char m_number[24];
};
