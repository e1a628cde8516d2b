#include "data/reports/PageWriter.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

CPageWriter::CPageWriter(const CString& folder, const CString& tag)
    : m_folder(CDirUtils::WithTrailingSeparator(folder))
{
    // A short name whatever the page's, so that every page name the file
    // system allows can be written.
    std::uint32_t hash = 2166136261u;
    for (char c : tag)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    m_tag = CStringUtils::Format("%08x", hash);
}

CPageWriter::~CPageWriter()
{
    for (const CPending& page : m_pending)
        ::unlink(page.temp.c_str());
}

CString CPageWriter::TempPrefix() const
{
    return ".vemopage-" + m_tag + "-";
}

void CPageWriter::RemoveLeftovers() const
{
    CStringList names;
    CDirUtils::ListFiles(m_folder, "tmp", names);
    for (const CString& name : names)
        if (CStringUtils::MatchFirstChars(name, TempPrefix(), false))
            CFileUtils::DeleteFile(m_folder + name);
}

bool CPageWriter::Write(const CString& name, const CString& bytes)
{
    const CString page = m_folder + name;
    // A page being replaced keeps its permissions.
    struct stat st { };
    const bool replacing = ::stat(page.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    CString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = m_folder + TempPrefix() + CStringUtils::Format("%d-%u.tmp", static_cast<int>(::getpid()), m_counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = (!replacing || ::fchmod(fd, st.st_mode & 07777) == 0) && WriteAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    m_pending.push_back({ temp, name });
    return true;
}

bool CPageWriter::Commit(CStringList& failed)
{
    if (m_pending.empty())
        return true;
    const int dir = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool durable = false;
#ifdef __linux__
    durable = dir >= 0 && ::syncfs(dir) == 0;
#endif
    bool ok = true;
    for (const CPending& page : m_pending) {
        bool written = durable;
        if (!written) {
            const int fd = ::open(page.temp.c_str(), O_RDONLY | O_CLOEXEC);
            written = fd >= 0 && ::fsync(fd) == 0;
            if (fd >= 0)
                ::close(fd);
        }
        if (!written || ::rename(page.temp.c_str(), (m_folder + page.name).c_str()) != 0) {
            ::unlink(page.temp.c_str());
            failed.AddTail(page.name);
            ok = false;
        }
    }
    m_pending.clear();
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return ok;
}
