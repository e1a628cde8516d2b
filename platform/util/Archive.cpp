#include "platform/util/Archive.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/util/FileUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

constexpr BYTE kLengthEscape = 0xFF;
constexpr WORD kWideMarker = 0xFFFE;
constexpr WORD kLongLength = 0xFFFF;
constexpr WORD kLongCount = 0xFFFF;
// Elements reserved at once while a list loads; the vector grows from there.
constexpr std::size_t kReserveStep = 1024;
// Bytes of a file read at a time (more when one record needs more).
constexpr std::size_t kWindowBytes = std::size_t(1) << 20;

void WriteStringLength(CArchive& ar, std::uint64_t n)
{
    if (n < kLengthEscape) {
        ar.WriteByte(static_cast<BYTE>(n));
    } else if (n < kWideMarker) {
        ar.WriteByte(kLengthEscape);
        ar.WriteWord(static_cast<WORD>(n));
    } else {
        if (n > UINT32_MAX)
            throw CArchiveException(CArchiveException::badCount, "string too long to store");
        ar.WriteByte(kLengthEscape);
        ar.WriteWord(kLongLength);
        ar.WriteUInt(static_cast<std::uint32_t>(n));
    }
}

void WriteListCount(CArchive& ar, std::uint64_t n)
{
    if (n < kLongCount) {
        ar.WriteWord(static_cast<WORD>(n));
    } else {
        if (n > UINT32_MAX)
            throw CArchiveException(CArchiveException::badCount, "list too long to store");
        ar.WriteWord(kLongCount);
        ar.WriteUInt(static_cast<std::uint32_t>(n));
    }
}

} // namespace

CArchive::CArchive()
    : m_mode(store)
{
}

CArchive::CArchive(std::string_view bytes)
    : m_mode(load)
    , m_in(bytes)
    , m_size(bytes.size())
{
}

CArchive::~CArchive() = default;
CArchive::CArchive(CArchive&&) noexcept = default;
CArchive& CArchive::operator=(CArchive&&) noexcept = default;

CArchive CArchive::ToFile(const CString& path)
{
    CArchive ar;
    ar.m_sink = std::make_unique<CAtomicFileWriter>();
    CString error;
    if (!ar.m_sink->Open(path, &error))
        throw CArchiveException(CArchiveException::ioError, error.empty() ? "cannot write " + path : error);
    ar.m_out.reserve(SINK_PIECE_BYTES + 64 * 1024);
    return ar;
}

void CArchive::Drain()
{
    CString error;
    if (!m_sink->Write(m_out, &error))
        throw CArchiveException(CArchiveException::ioError, error);
    m_out.clear();
}

void CArchive::Commit()
{
    if (!m_sink)
        return;
    Drain();
    CString error;
    if (!m_sink->Commit(&error))
        throw CArchiveException(CArchiveException::ioError, error);
}

CArchive::CSource& CArchive::CSource::operator=(CSource&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

CArchive::CSource::~CSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

CArchive CArchive::FromFile(const CString& path, bool removeStale)
{
    CArchive ar;
    ar.m_mode = load;
    // What a save killed mid-write left beside the file goes at the next load.
    if (removeStale)
        CFileUtils::RemoveStaleTempFiles(path);
    CString error;
    std::int64_t size = 0;
    ar.m_file = CSource(CFileUtils::OpenForReading(path, size, &error));
    if (ar.m_file.Get() < 0)
        throw CArchiveException(CArchiveException::ioError, error);
    ar.m_size = static_cast<std::size_t>(size);
    return ar;
}

void CArchive::Fill(std::size_t n)
{
    const std::size_t kept = m_in.size() - m_pos;
    if (n > BytesLeft() || m_file.Get() < 0)
        throw CArchiveException(CArchiveException::endOfFile,
            "unexpected end of data at byte " + std::to_string(GetPosition()) + " (" + std::to_string(n)
                + " more needed, " + std::to_string(BytesLeft()) + " left)");
    // The unread bytes move to the front of the window, which grows only for
    // a record larger than it.
    const std::size_t wanted = std::max(n, std::min(kWindowBytes, BytesLeft()));
    if (wanted > m_windowSize) {
        auto window = std::make_unique<char[]>(wanted);
        if (kept > 0)
            std::memcpy(window.get(), m_in.data() + m_pos, kept);
        m_window = std::move(window);
        m_windowSize = wanted;
    } else if (kept > 0) {
        std::memmove(m_window.get(), m_in.data() + m_pos, kept);
    }
    m_base += m_pos;
    m_pos = 0;
    const std::size_t target = std::min(m_windowSize, BytesLeft());
    std::size_t have = kept;
    while (have < target) {
        const ssize_t got = ::read(m_file.Get(), m_window.get() + have, target - have);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw CArchiveException(CArchiveException::ioError,
                "cannot read at byte " + std::to_string(m_base + have) + ": " + std::strerror(errno));
        if (got == 0)
            throw CArchiveException(CArchiveException::endOfFile,
                "the file ended at byte " + std::to_string(m_base + have) + " while it was read");
        have += static_cast<std::size_t>(got);
    }
    m_in = std::string_view(m_window.get(), have);
}

void CArchive::WriteToFile(const CString& path) const
{
    CString error;
    if (!CFileUtils::WriteFileAtomic(path, m_out, &error))
        throw CArchiveException(CArchiveException::ioError, error.empty() ? "cannot write " + path : error);
}

void CArchive::CheckFits(std::uint64_t n, std::size_t minElementBytes)
{
    // Division instead of n * size, which could overflow for a wild count;
    // strings (one byte each) need none.
    const std::uint64_t perElement = std::max<std::size_t>(minElementBytes, 1);
    if (n > BytesLeft() || (perElement > 1 && n > BytesLeft() / perElement))
        throw CArchiveException(CArchiveException::badCount,
            "stored count " + std::to_string(n) + " at byte " + std::to_string(GetPosition()) + " cannot fit in the "
                + std::to_string(BytesLeft()) + " bytes left");
}

// Writers.

void CArchive::WriteBytes(const void* data, std::size_t n)
{
    m_out.append(static_cast<const char*>(data), n);
    Stored();
}

void CArchive::WriteByte(BYTE b)
{
    m_out += static_cast<char>(b);
    Stored();
}

void CArchive::WriteWord(WORD w)
{
    const char bytes[2] = { char(w & 0xFF), char(w >> 8) };
    m_out.append(bytes, 2);
    Stored();
}

void CArchive::WriteUInt(std::uint32_t v)
{
    const char bytes[4] = { char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24) };
    m_out.append(bytes, 4);
    Stored();
}

void CArchive::WriteInt(std::int32_t v)
{
    WriteUInt(static_cast<std::uint32_t>(v));
}

void CArchive::WriteDouble(double d)
{
    auto bits = std::bit_cast<std::uint64_t>(d);
    char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = char((bits >> (8 * i)) & 0xFF);
    m_out.append(bytes, 8);
    Stored();
}

void CArchive::WriteBool(bool b)
{
    WriteWord(b ? 1 : 0);
}

void CArchive::WriteString(const CString& s)
{
    if (CTextEncoding::IsAscii(s)) {
        WriteStringLength(*this, s.size());
        WriteBytes(s.data(), s.size());
    } else if (CTextEncoding::FitsWindows1252(s)) {
        std::string bytes = CTextEncoding::ToWindows1252(s);
        WriteStringLength(*this, bytes.size());
        WriteBytes(bytes.data(), bytes.size());
    } else {
        std::string units = CTextEncoding::ToUtf16LE(s);
        WriteByte(kLengthEscape);
        WriteWord(kWideMarker);
        WriteStringLength(*this, units.size() / 2);
        WriteBytes(units.data(), units.size());
    }
}

void CArchive::WriteDate(const COleDateTime& d)
{
    WriteInt(static_cast<std::int32_t>(d.GetStatus()));
    WriteDouble(d.GetValue());
}

void CArchive::WriteStringList(const CStringList& list)
{
    WriteListCount(*this, static_cast<std::uint64_t>(list.GetCount()));
    for (const CString& s : list)
        WriteString(s);
}

void CArchive::WriteStringArray(const CStringArray& arr)
{
    WriteListCount(*this, arr.size());
    for (const CString& s : arr)
        WriteString(s);
}

// Readers.

void CArchive::ReadBytes(void* data, std::size_t n)
{
    Need(n);
    if (n > 0)
        std::memcpy(data, m_in.data() + m_pos, n);
    m_pos += n;
}

std::uint64_t CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    BYTE b = ReadByte();
    if (b < kLengthEscape)
        return b;
    WORD w = ReadWord();
    if (w == kWideMarker) {
        wide = true;
        b = ReadByte();
        if (b < kLengthEscape)
            return b;
        w = ReadWord();
    }
    if (w < kLongLength)
        return w;
    return ReadUInt();
}

bool CArchive::PeekShortText(std::string_view& raw) const
{
    if (m_pos >= m_in.size())
        return false;
    const auto n = static_cast<std::size_t>(static_cast<unsigned char>(m_in[m_pos]));
    if (n >= kLengthEscape || n >= m_in.size() - m_pos)
        return false;
    raw = m_in.substr(m_pos + 1, n);
    return true;
}

std::string_view CArchive::ReadRawText(bool& wide)
{
    wide = false;
    if (std::string_view raw; PeekShortText(raw)) {
        m_pos += 1 + raw.size();
        return raw;
    }
    std::uint64_t n = ReadStringLength(wide);
    CheckFits(n, wide ? 2 : 1);
    const std::size_t bytes = static_cast<std::size_t>(n) * (wide ? 2 : 1);
    Need(bytes);
    const std::string_view raw = m_in.substr(m_pos, bytes);
    m_pos += bytes;
    return raw;
}

CString CArchive::ReadString()
{
    CString s;
    ReadString(s);
    return s;
}

void CArchive::ReadString(CString& s)
{
    bool wide = false;
    const std::string_view raw = ReadRawText(wide);
    if (wide)
        s = CTextEncoding::FromUtf16LE(raw);
    else
        CTextEncoding::AssignFromWindows1252(s, raw);
}

std::string_view CArchive::ReadStringView()
{
    if (std::string_view raw; PeekShortText(raw) && CTextEncoding::IsAscii(raw)) {
        m_pos += 1 + raw.size();
        return raw;
    }
    ReadString(m_scratch);
    return m_scratch;
}

COleDateTime CArchive::ReadDate()
{
    std::int32_t status = ReadInt();
    double value = ReadDouble();
    COleDateTime d(value);
    if (status == COleDateTime::valid || status == COleDateTime::null)
        d.SetStatus(static_cast<COleDateTime::DateTimeStatus>(status));
    else
        d.SetStatus(COleDateTime::invalid);
    return d;
}

void CArchive::ReadStringList(CStringList& list)
{
    std::uint64_t n = ReadWord();
    if (n == kLongCount)
        n = ReadUInt();
    CheckFits(n, 1); // every string takes at least its one-byte prefix
    CStringList loaded;
    for (std::uint64_t i = 0; i < n; ++i)
        loaded.AddTail(ReadString());
    list.Swap(loaded);
}

void CArchive::ReadStringArray(CStringArray& arr)
{
    std::uint64_t n = ReadWord();
    if (n == kLongCount)
        n = ReadUInt();
    CheckFits(n, 1);
    CStringArray loaded;
    loaded.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(n, kReserveStep)));
    for (std::uint64_t i = 0; i < n; ++i)
        loaded.push_back(ReadString());
    arr.swap(loaded);
}

std::int32_t CArchive::ReadCount(std::size_t minElementBytes)
{
    std::int32_t n = ReadInt();
    if (n <= 0)
        return 0;
    CheckFits(static_cast<std::uint64_t>(n), minElementBytes);
    return n;
}
