#pragma once
// A nested document of named values, written as it is produced: objects
// hold named members, arrays hold unnamed elements (the key is ignored
// there). The dump writes through it in JSON or as readable text.

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/util/VemoTypes.h"

// Text that grows at its end, as one block: room is made without clearing
// it first, and the writers fill it directly.
class CTreeText {
public:
    // Room for n more bytes after the text; Commit adds those filled.
    char* Room(std::size_t n)
    {
        if (m_capacity - m_size < n)
            Grow(n);
        return m_data.get() + m_size;
    }
    void Commit(char* end) { m_size = static_cast<std::size_t>(end - m_data.get()); }
    void Add(std::string_view text)
    {
        if (text.empty())
            return;
        std::memcpy(Room(text.size()), text.data(), text.size());
        m_size += text.size();
    }
    void Add(char c) { *Room(1) = c, ++m_size; }
    void Add(std::size_t count, char c)
    {
        std::memset(Room(count), c, count);
        m_size += count;
    }
    std::string_view View() const { return { m_data.get(), m_size }; }
    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    // Emptied; the room stays for what comes next.
    void Clear() { m_size = 0; }

private:
    void Grow(std::size_t n);

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

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
    virtual std::unique_ptr<CTreeWriter> ForkArray(CTreeText& text, int before) const = 0;
    virtual void JoinArray(CTreeText& text, int count) = 0;

protected:
    // Text collects in one buffer and goes to the stream in large pieces;
    // a fork has no stream and only appends to the text it was given.
    explicit CTreeWriter(std::ostream& out)
        : m_stream(&out)
        , m_text(m_ownText)
    {
    }
    explicit CTreeWriter(CTreeText& text)
        : m_stream(nullptr)
        , m_text(text)
    {
    }

    void Flush();
    // After each value: a full buffer goes on.
    void Written()
    {
        if (m_text.Size() >= FLUSH_BYTES && m_stream)
            Flush();
    }
    // The text of a fork follows what this writer has written.
    void Append(CTreeText& text);

    static constexpr std::size_t FLUSH_BYTES = 64 * 1024;
    std::ostream* m_stream;
    CTreeText m_ownText;
    CTreeText& m_text;
};
