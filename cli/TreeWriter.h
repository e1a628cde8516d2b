#pragma once
// A nested document of named values, written as it is produced: objects
// hold named members, arrays hold unnamed elements (the key is ignored
// there). The dump writes through it in JSON or as readable text.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "platform/util/VemoTypes.h"

class CTreeWriter {
public:
    virtual ~CTreeWriter();
    CTreeWriter(const CTreeWriter&) = delete;
    CTreeWriter& operator=(const CTreeWriter&) = delete;

    virtual void BeginObject(const CString& key = CString()) = 0;
    virtual void EndObject() = 0;
    virtual void BeginArray(const CString& key = CString()) = 0;
    virtual void EndArray() = 0;
    virtual void String(const CString& key, const CString& value) = 0;
    virtual void Integer(const CString& key, std::int64_t value) = 0;
    virtual void Real(const CString& key, double value) = 0;
    virtual void Bool(const CString& key, bool value) = 0;
    // Ends the document (a final line break) and hands everything on.
    virtual void Finish() = 0;

    // For writing the elements of the array now open in pieces on other
    // threads: a writer that goes on inside that array as if `before`
    // elements were in it, appending its text to `text`; JoinArray then
    // takes that text, holding count elements, as this array's next and
    // empties it (its capacity stays for the next piece).
    virtual std::unique_ptr<CTreeWriter> ForkArray(std::string& text, int before) const = 0;
    virtual void JoinArray(std::string& text, int count) = 0;

protected:
    // Text collects in one buffer and goes to the stream in large pieces;
    // a fork has no stream and only appends to the text it was given.
    explicit CTreeWriter(std::ostream& out)
        : m_stream(&out)
        , m_text(m_ownText)
    {
        m_ownText.reserve(FLUSH_BYTES + 4096);
    }
    explicit CTreeWriter(std::string& text)
        : m_stream(nullptr)
        , m_text(text)
    {
    }

    void Flush();
    // After each value: a full buffer goes on.
    void Written()
    {
        if (m_text.size() >= FLUSH_BYTES && m_stream)
            Flush();
    }
    // The text of a fork follows what this writer has written.
    void Append(std::string& text);

    static constexpr std::size_t FLUSH_BYTES = 64 * 1024;
    std::ostream* m_stream;
    std::string m_ownText;
    std::string& m_text;
};
