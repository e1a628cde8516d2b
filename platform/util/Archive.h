#pragma once
// The binary reader and writer of every stored record: little-endian on any
// host, over a memory buffer or a file. A short or malformed stream raises
// CArchiveException; a stored count or length is checked against the bytes
// left before anything is allocated. Byte layout: docs/file-format.md.

#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CAtomicFileWriter;

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
    // Storing into the file at path as the bytes come, in pieces, so that a
    // large library is never held whole in memory; the file is replaced
    // atomically by Commit and left as it was when the archive goes before
    // (CAtomicFileWriter). Throws CArchiveException(ioError) when the file
    // cannot be written.
    static CArchive ToFile(const CString& path);
    // Loading from bytes the caller keeps alive.
    explicit CArchive(std::string_view bytes);
    // A temporary would be freed while the archive still reads it.
    explicit CArchive(std::string&&) = delete;
    // Loading a file (a regular file of at most CFileUtils::MAX_READ_BYTES),
    // after removing what saves of it killed mid-write left (unless not
    // removeStale: readers that change nothing); throws
    // CArchiveException(ioError) when it cannot be opened. The file is read
    // through a window as the records are, so a large library never sits in
    // memory twice; its length is the one it had when opened, and a file
    // that ends before that raises endOfFile.
    static CArchive FromFile(const CString& path, bool removeStale = true);

    CArchive(CArchive&&) noexcept;
    CArchive& operator=(CArchive&&) noexcept;
    ~CArchive();

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // The bytes written so far (storing; ToFile: those not written out yet).
    const std::string& GetBuffer() const { return m_out; }
    // ToFile: writes the rest and puts the file in place; throws
    // CArchiveException(ioError) on failure, leaving any previous file whole.
    void Commit();
    // Writes the stored bytes to path atomically (temporary file, fsync,
    // rename); throws CArchiveException(ioError) on failure, leaving any
    // previous file whole.
    void WriteToFile(const CString& path) const;

    // Loading: bytes not read yet, and the read position.
    std::size_t BytesLeft() const { return m_size - GetPosition(); }
    std::size_t GetPosition() const { return m_base + m_pos; }
    bool AtEnd() const { return BytesLeft() == 0; }

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

    // Readers. The fixed-size ones are inline: a library load makes tens of
    // millions of them.
    BYTE ReadByte()
    {
        Need(1);
        return static_cast<BYTE>(m_in[m_pos++]);
    }
    WORD ReadWord()
    {
        Need(2);
        auto p = reinterpret_cast<const unsigned char*>(m_in.data() + m_pos);
        m_pos += 2;
        return static_cast<WORD>(p[0] | (p[1] << 8));
    }
    std::uint32_t ReadUInt()
    {
        Need(4);
        auto p = reinterpret_cast<const unsigned char*>(m_in.data() + m_pos);
        m_pos += 4;
        return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
            | (std::uint32_t(p[3]) << 24);
    }
    std::int32_t ReadInt() { return static_cast<std::int32_t>(ReadUInt()); }
    double ReadDouble()
    {
        Need(8);
        auto p = reinterpret_cast<const unsigned char*>(m_in.data() + m_pos);
        m_pos += 8;
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | p[i];
        return std::bit_cast<double>(bits);
    }
    bool ReadBool() { return ReadWord() == 1; } // true exactly when the word is 1
    CString ReadString();
    // Reads into s, reusing its memory (no temporary text to move in).
    void ReadString(CString& s);
    // The next text as a view valid until the next read: into the bytes read
    // when it is a short plain-ASCII one, else decoded into the archive's
    // own scratch text, whose memory serves the next such text (nothing
    // allocated either way, once the scratch is large enough). For texts
    // copied at once into storage of their own.
    std::string_view ReadStringView();
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
    void Serialize(CString& s) { IsStoring() ? WriteString(s) : ReadString(s); }
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
    // A file being read; closes itself.
    class CSource {
    public:
        CSource() = default;
        explicit CSource(int fd)
            : m_fd(fd)
        {
        }
        CSource(CSource&& other) noexcept
            : m_fd(other.m_fd)
        {
            other.m_fd = -1;
        }
        CSource& operator=(CSource&& other) noexcept;
        ~CSource();
        int Get() const { return m_fd; }

    private:
        int m_fd = -1;
    };

    // Makes n bytes readable at m_pos; throws endOfFile when the stream
    // holds fewer.
    void Need(std::size_t n)
    {
        if (n > m_in.size() - m_pos)
            Fill(n);
    }
    void Fill(std::size_t n);
    // Most texts are short 8-bit ones wholly in the window (one length byte,
    // then the bytes): true with raw set to their bytes for such a text next,
    // read past nothing.
    bool PeekShortText(std::string_view& raw) const;
    std::uint64_t ReadStringLength(bool& wide);
    // The bytes of the next text, read past; wide when they are UTF-16LE.
    std::string_view ReadRawText(bool& wide);

    // ToFile: hands the stored bytes on once they fill a piece.
    void Stored()
    {
        if (m_sink && m_out.size() >= SINK_PIECE_BYTES)
            Drain();
    }
    void Drain();
    static constexpr std::size_t SINK_PIECE_BYTES = std::size_t(1) << 20;

    Mode m_mode;
    std::string m_out; // storing
    std::unique_ptr<CAtomicFileWriter> m_sink; // storing into a file
    // Loading: m_in is the readable part of the stream, which starts at
    // byte m_base of m_size; from a file it lies in m_window, which a move
    // keeps at the same address.
    std::string_view m_in;
    std::size_t m_pos = 0;
    std::size_t m_base = 0;
    std::size_t m_size = 0;
    CSource m_file;
    std::unique_ptr<char[]> m_window;
    CString m_scratch; // ReadStringView's decoded texts
    std::size_t m_windowSize = 0;
};
