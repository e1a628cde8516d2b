#include "platform/util/AppLogger.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"

namespace {

std::mutex g_instanceMutex;
CAppLogger* g_instance = nullptr;

// Lines that could not be written are kept for the next try, but a log that
// stays unwritable must not eat the memory of a long session.
constexpr INT_PTR kMaxPendingLines = 10000;

CString DefaultLogFile()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    CString base;
    if (data && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            return CString();
        base = CString(home) + "/.local/share";
    }
    return base + "/VemoLibrary/VemoLibrary.log";
}

CString Timestamp()
{
    std::time_t now = std::time(nullptr);
    struct tm local;
    char text[32] = "";
    if (localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

bool AppendToFile(const CString& path, const CString& bytes)
{
    // Never through a link, nor into a file with another name too: either
    // would let whoever planted it have the log appended to any file of the
    // user. Not blocking, so a FIFO in its place cannot hang the program.
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        ::close(fd);
        return false;
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        ssize_t w = ::write(fd, data, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        data += w;
        left -= static_cast<std::size_t>(w);
    }
    return ::close(fd) == 0 && ok;
}

} // namespace

CAppLogger* CAppLogger::GetInstance()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    if (!g_instance) {
        g_instance = new (std::nothrow) CAppLogger();
        if (g_instance) {
            try {
                g_instance->m_path = DefaultLogFile();
            } catch (...) {
            }
        }
    }
    return g_instance;
}

void CAppLogger::DeleteInstance()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
}

CAppLogger::~CAppLogger()
{
    ForceWrite();
}

void CAppLogger::SetLogFile(const CString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
}

void CAppLogger::AddLine(const CString& text)
{
    try {
        // One entry is one line in the file, whatever the caller passed.
        CString line = Timestamp() + " " + text;
        for (char& c : line)
            if (c == '\n' || c == '\r')
                c = ' ';
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.AddTail(line);
        while (m_pending.GetCount() > kMaxPendingLines)
            m_pending.RemoveHead();
        m_all.AddTail(line);
    } catch (...) {
        // Logging must never become the failure.
    }
}

bool CAppLogger::ForceWrite()
{
    try {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pending.IsEmpty())
            return true;
        if (m_path.empty())
            return false;
        CString dir = CFileUtils::ParseDirFromPath(m_path);
        if (!dir.empty() && !CDirUtils::CreateDir(dir))
            return false;
        CString bytes;
        for (const CString& line : m_pending) {
            bytes += line;
            bytes += '\n';
        }
        if (!AppendToFile(m_path, bytes))
            return false;
        m_pending.RemoveAll();
        return true;
    } catch (...) {
        return false;
    }
}

CStringList CAppLogger::GetLines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_all;
}

void VemoLog(const char* guid)
{
    CAppLogger* logger = CAppLogger::GetInstance();
    if (!logger)
        return;
    logger->AddLine(guid ? guid : "");
    logger->ForceWrite();
}
