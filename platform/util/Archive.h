#pragma once
// The binary reader and writer of every stored record: little-endian on any
// host, over a memory buffer or a file. A short or malformed stream raises
// CArchiveException; a stored count or length is checked against the bytes
// left before anything is allocated. Byte layout: docs/file-format.md.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CArchiveException : public std::runtime_error {
public:
    enum Cause { endOfFile = 1, badFormat = 2, badCount = 3, ioError = 4 };
    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what)
        , m_cause(cause)
    {
    }
    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Storing: the bytes collect in memory (GetBuffer); WriteToFile saves them.
    CArchive();
    // Loading from bytes the caller keeps alive.
    explicit CArchive(std::string_view bytes);
    // A temporary would be freed while the archive still reads it.
    explicit CArchive(std::string&&) = delete;
    // Loading a whole file (CFileUtils::ReadFileBytes: a regular file of at
    // most 2 GiB), after removing what saves of it killed mid-write left;
    // throws CArchiveException(ioError) when it cannot be read.
    static CArchive FromFile(const CString& path);

    CArchive(CArchive&&) noexcept = default;
    CArchive& operator=(CArchive&&) noexcept = default;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // The bytes written so far (storing).
    const std::string& GetBuffer() const { return m_out; }
    // Writes the stored bytes to path atomically (temporary file, fsync,
    // rename); throws CArchiveException(ioError) on failure, leaving any
    // previous file whole.
    void WriteToFile(const CString& path) const;

    // Loading: bytes not read yet, and the read position.
    std::size_t BytesLeft() const { return m_in.size() - m_pos; }
    std::size_t GetPosition() const { return m_pos; }
    bool AtEnd() const { return m_pos >= m_in.size(); }

    // Writers.
    void WriteByte(BYTE b);
    void WriteWord(WORD w);
    void WriteInt(std::int32_t v);
    void WriteUInt(std::uint32_t v);
    void WriteDouble(double d);
    void WriteBool(bool b); // a word: 1 true, 0 false
    void WriteString(const CString& s);
    void WriteDate(const COleDateTime& d); // 32-bit status, then the double
    void WriteStringList(const CStringList& list);
    void WriteStringArray(const CStringArray& arr);
    void WriteBytes(const void* data, std::size_t n);

    // Readers.
    BYTE ReadByte();
    WORD ReadWord();
    std::int32_t ReadInt();
    std::uint32_t ReadUInt();
    double ReadDouble();
    bool ReadBool(); // true exactly when the word is 1
    CString ReadString();
    COleDateTime ReadDate();
    void ReadStringList(CStringList& list); // replaces the content
    void ReadStringArray(CStringArray& arr); // replaces the content
    void ReadBytes(void* data, std::size_t n);

    // A 32-bit element count of a collection whose elements take at least
    // minElementBytes each; negative counts read as 0. Throws badCount when
    // that many elements cannot fit in the bytes left.
    std::int32_t ReadCount(std::size_t minElementBytes = 1);
    // Throws badCount unless n elements of minElementBytes fit in what is left.
    void CheckFits(std::uint64_t n, std::size_t minElementBytes);

    // One call for both directions: writes when storing, reads when loading.
    void Serialize(WORD& w) { IsStoring() ? WriteWord(w) : void(w = ReadWord()); }
    void Serialize(std::int32_t& v) { IsStoring() ? WriteInt(v) : void(v = ReadInt()); }
    void Serialize(double& d) { IsStoring() ? WriteDouble(d) : void(d = ReadDouble()); }
    void Serialize(bool& b) { IsStoring() ? WriteBool(b) : void(b = ReadBool()); }
    void Serialize(CString& s) { IsStoring() ? WriteString(s) : void(s = ReadString()); }
    void Serialize(COleDateTime& d) { IsStoring() ? WriteDate(d) : void(d = ReadDate()); }
    void Serialize(CStringList& l) { IsStoring() ? WriteStringList(l) : ReadStringList(l); }
    void Serialize(CStringArray& a) { IsStoring() ? WriteStringArray(a) : ReadStringArray(a); }
    // A version word: writes current; returns what was read (or current).
    WORD SerializeVersion(WORD current)
    {
        if (IsStoring()) {
            WriteWord(current);
            return current;
        }
        return ReadWord();
    }

private:
    void Need(std::size_t n);
    std::uint64_t ReadStringLength(bool& wide);

    Mode m_mode;
    std::string m_out; // storing
    std::string m_owned; // loading from a file
    std::string_view m_in; // loading
    std::size_t m_pos = 0;
};
