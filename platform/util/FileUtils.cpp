#include "platform/util/FileUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/util/DirUtils.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

constexpr std::size_t kMaxNameBytes = 255;
// Longest tail after the last dot that still counts as an extension worth
// keeping when a long name is cut.
constexpr std::size_t kMaxKeptExtension = 16;

void SetError(CString* error, const CString& what, const CString& path, int err)
{
    if (error)
        *error = what + " \"" + path + "\": " + std::strerror(err);
}

void SetTooLarge(CString* error, const CString& path, std::int64_t size)
{
    if (error)
        *error = "Cannot read \"" + path + "\": it is too large (" + std::to_string(size) + " bytes, more than 2 GiB)";
}

// A file descriptor that closes itself.
class CFd {
public:
    explicit CFd(int fd)
        : m_fd(fd)
    {
    }
    ~CFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }
    int Release()
    {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Reads up to n bytes, retrying short reads; returns the count or -1.
ssize_t ReadFull(int fd, char* data, std::size_t n)
{
    std::size_t got = 0;
    while (got < n) {
        ssize_t r = ::read(fd, data + got, n - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return static_cast<ssize_t>(got);
}

bool IsBadFileChar(std::uint32_t cp)
{
    if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F))
        return true;
    switch (cp) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

// Decodes one well-formed UTF-8 character at i; false for a byte that does
// not start one.
bool DecodeUtf8(const CString& s, std::size_t i, std::uint32_t& cp, std::size_t& len)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        len = 1;
        return true;
    }
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        lo = b0 == 0xE0 ? 0xA0 : 0x80;
        hi = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        lo = b0 == 0xF0 ? 0x90 : 0x80;
        hi = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return false;
    }
    if (s.size() - i < len)
        return false;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (k == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    return true;
}

CString SafeReplacement(const CString& replacement)
{
    for (std::size_t i = 0; i < replacement.size();) {
        std::uint32_t cp = 0;
        std::size_t len = 1;
        if (!DecodeUtf8(replacement, i, cp, len) || IsBadFileChar(cp))
            return "_";
        i += len;
    }
    if (!replacement.empty() && replacement[0] == '.')
        return "_";
    return replacement;
}

// Cuts a name to the longest a Linux file system takes, keeping a short
// extension so that the file still opens with the right program.
CString CapNameLength(const CString& name)
{
    if (name.size() <= kMaxNameBytes)
        return name;
    std::size_t dot = name.rfind('.');
    CString ext;
    if (dot != CString::npos && dot > 0 && name.size() - dot <= kMaxKeptExtension)
        ext = name.substr(dot);
    CString base = name.substr(0, name.size() - ext.size());
    return CStringUtils::TruncateUtf8(base, kMaxNameBytes - ext.size()) + ext;
}

bool StatFile(const CString& path, struct stat& st)
{
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

} // namespace

bool CFileUtils::DoesFileExist(const CString& path)
{
    struct stat st;
    return StatFile(path, st) && S_ISREG(st.st_mode);
}

std::int64_t CFileUtils::GetFileSize(const CString& path)
{
    struct stat st;
    if (!StatFile(path, st) || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool CFileUtils::IsFileEmpty(const CString& path)
{
    return GetFileSize(path) <= 0;
}

bool CFileUtils::IsFileWritable(const CString& path)
{
    return DoesFileExist(path) && ::access(path.c_str(), W_OK) == 0;
}

bool CFileUtils::MakeFileWritable(const CString& path)
{
    struct stat st;
    if (!StatFile(path, st) || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0)
        return false;
    return IsFileWritable(path);
}

COleDateTime CFileUtils::GetModificationTime(const CString& path)
{
    struct stat st;
    if (!StatFile(path, st)) {
        COleDateTime invalid;
        invalid.SetStatus(COleDateTime::invalid);
        return invalid;
    }
    struct tm local;
    time_t t = st.st_mtim.tv_sec;
    localtime_r(&t, &local);
    // Days since 30 December 1899 of the local wall-clock time; 25569 is the
    // day number of 1 January 1970.
    double seconds = static_cast<double>(t) + static_cast<double>(local.tm_gmtoff);
    return COleDateTime(seconds / 86400.0 + 25569.0);
}

int CFileUtils::OpenForReading(const CString& path, std::int64_t& size, CString* error)
{
    // Not blocking: a FIFO named as a file must not hang the read.
    CFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        SetError(error, "Cannot open", path, errno);
        return -1;
    }
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0) {
        SetError(error, "Cannot read", path, errno);
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        SetError(error, "Cannot read", path, EISDIR);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        if (error)
            *error = "Cannot read \"" + path + "\": it is not a regular file";
        return -1;
    }
    if (st.st_size > MAX_READ_BYTES) {
        SetTooLarge(error, path, st.st_size);
        return -1;
    }
    size = st.st_size;
    return fd.Release();
}

bool CFileUtils::ReadFileBytes(const CString& path, std::string& bytes, CString* error)
{
    std::int64_t size = 0;
    CFd fd(OpenForReading(path, size, error));
    if (fd.Get() < 0)
        return false;
    try {
        std::string data;
        data.reserve(static_cast<std::size_t>(size));
        char buffer[1 << 16];
        for (;;) {
            ssize_t got = ReadFull(fd.Get(), buffer, sizeof buffer);
            if (got < 0) {
                SetError(error, "Cannot read", path, errno);
                return false;
            }
            if (got == 0)
                break;
            // The file may grow while it is read.
            if (static_cast<std::int64_t>(data.size()) + got > MAX_READ_BYTES) {
                SetTooLarge(error, path, static_cast<std::int64_t>(data.size()) + got);
                return false;
            }
            data.append(buffer, static_cast<std::size_t>(got));
        }
        bytes = std::move(data);
        return true;
    } catch (const std::bad_alloc&) {
        SetError(error, "Cannot read", path, ENOMEM);
        return false;
    }
}

bool CFileUtils::ReadFileContent(const CString& path, CStringList& lines, CString* error)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    CString text = CTextEncoding::ToUtf8Lenient(bytes);
    CStringList result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == CString::npos) {
            result.AddTail(text.substr(start));
            break;
        }
        result.AddTail(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    lines = std::move(result);
    return true;
}

bool CFileUtils::WriteFileContent(const CString& path, const CStringList& lines, CString* error)
{
    return WriteFileAtomic(path, JoinLines(lines), error);
}

CString CFileUtils::JoinLines(const CStringList& lines)
{
    std::size_t size = 0;
    for (const CString& line : lines)
        size += line.size() + 1;
    CString text;
    text.reserve(size);
    for (const CString& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool CFileUtils::IsContentIdentical(const CString& path, const CStringList& lines)
{
    return IsContentIdentical(path, JoinLines(lines));
}

bool CFileUtils::IsContentIdentical(const CString& path, const CString& expected)
{
    if (GetFileSize(path) != static_cast<std::int64_t>(expected.size()))
        return false;
    std::string bytes;
    return ReadFileBytes(path, bytes) && bytes == expected;
}

bool CFileUtils::AreFilesIdentical(const CString& a, const CString& b)
{
    std::int64_t size = GetFileSize(a);
    if (size < 0 || size != GetFileSize(b))
        return false;
    CFd fa(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    CFd fb(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    if (fa.Get() < 0 || fb.Get() < 0)
        return false;
    std::vector<char> ba(1 << 16), bb(1 << 16);
    for (;;) {
        ssize_t ga = ReadFull(fa.Get(), ba.data(), ba.size());
        ssize_t gb = ReadFull(fb.Get(), bb.data(), bb.size());
        if (ga < 0 || gb < 0 || ga != gb)
            return false;
        if (ga == 0)
            return true;
        if (std::memcmp(ba.data(), bb.data(), static_cast<std::size_t>(ga)) != 0)
            return false;
    }
}

bool CFileUtils::MoveFile(const CString& from, const CString& to, CString* error)
{
    struct stat src;
    if (!StatFile(from, src)) {
        SetError(error, "Cannot move", from, errno);
        return false;
    }
    struct stat target;
    if (StatFile(to, target)) {
        if (target.st_dev == src.st_dev && target.st_ino == src.st_ino)
            return true;
        SetError(error, "Cannot move to", to, EEXIST);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV || !S_ISREG(src.st_mode)) {
        SetError(error, "Cannot move " + from + " to", to, errno);
        return false;
    }
    // Another file system: copy, and take the original away only once the
    // copy is whole.
    if (!CopyFile(from, to, true, error))
        return false;
    if (::unlink(from.c_str()) != 0) {
        int err = errno;
        ::unlink(to.c_str());
        SetError(error, "Cannot remove the moved file", from, err);
        return false;
    }
    return true;
}

bool CFileUtils::DeleteFile(const CString& path, CString* error)
{
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) {
        SetError(error, "Cannot delete", path, path.empty() ? ENOENT : errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        SetError(error, "Cannot delete", path, EISDIR);
        return false;
    }
    if (::unlink(path.c_str()) != 0) {
        SetError(error, "Cannot delete", path, errno);
        return false;
    }
    return true;
}

CString CFileUtils::ReplaceBadFileChars(const CString& name, const CString& replacement)
{
    if (name.empty())
        return name;
    const CString repl = SafeReplacement(replacement);
    CString out;
    out.reserve(name.size());
    bool leading = true; // still among the leading dots
    for (std::size_t i = 0; i < name.size();) {
        std::uint32_t cp = 0;
        std::size_t len = 1;
        bool ok = DecodeUtf8(name, i, cp, len);
        if (!ok) {
            len = 1; // a stray byte would not survive as text
            out += repl;
        } else if (IsBadFileChar(cp) || (leading && cp == '.')) {
            out += repl;
        } else {
            out.append(name, i, len);
        }
        if (!ok || cp != '.')
            leading = false;
        i += len;
    }
    // An empty replacement may strip a name down to nothing (or to dots).
    if (out.empty() || out[0] == '.')
        out = "_" + out;
    return CapNameLength(out);
}

CString CFileUtils::ParseFileNameFromPath(const CString& path, bool withExtension)
{
    std::size_t slash = path.rfind('/');
    CString name = slash == CString::npos ? path : path.substr(slash + 1);
    if (!withExtension) {
        std::size_t dot = name.rfind('.');
        if (dot != CString::npos && dot > 0)
            name.erase(dot);
    }
    return name;
}

CString CFileUtils::ParseDirFromPath(const CString& path)
{
    std::size_t slash = path.rfind('/');
    return slash == CString::npos ? CString() : path.substr(0, slash + 1);
}

CString CFileUtils::ParseExtension(const CString& path)
{
    CString name = ParseFileNameFromPath(path, true);
    std::size_t dot = name.rfind('.');
    if (dot == CString::npos || dot == 0)
        return CString();
    return name.substr(dot + 1);
}
