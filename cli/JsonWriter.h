#pragma once
// Writes a tree as JSON, indented by two blanks, as it comes: nothing is
// kept but the nesting, so a large library streams out. Every value is
// written by nlohmann-json; strings come out as valid JSON text whatever
// their bytes (control characters, quotes and backslashes escaped, bytes
// that are not UTF-8 replaced by U+FFFD).

#include <ostream>
#include <string>
#include <vector>

#include "cli/TreeWriter.h"

class CJsonWriter : public CTreeWriter {
public:
    explicit CJsonWriter(std::ostream& out)
        : CTreeWriter(out)
    {
    }
    explicit CJsonWriter(CTreeText& text)
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

    // text as a JSON string, quotes included.
    static CString Quote(const CString& text);
    // The same, added to out.
    static void AppendQuoted(CTreeText& out, const CString& text);

private:
    struct CLevel {
        bool isObject;
        bool empty = true;
    };
    // Separator, line break and indent before a member or element, and its
    // key when inside an object.
    void Start(const CString& key);
    void End(char close);
    void Indent();

    std::vector<CLevel> m_levels;
};
