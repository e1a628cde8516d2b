#include "cli/CheckedOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

CCheckedOutput::CCheckedOutput(int fd)
    : m_fd(fd)
    , m_lineBuffered(isatty(fd) == 1)
    , m_buffer(64 * 1024)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CCheckedOutput::~CCheckedOutput()
{
    WriteOut();
}

bool CCheckedOutput::WriteAll(const char* next, const char* end)
{
    while (m_error == 0 && next < end) {
        const ssize_t written = write(m_fd, next, static_cast<std::size_t>(end - next));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_error = written < 0 ? errno : EIO;
        else
            next += written;
    }
    return m_error == 0;
}

bool CCheckedOutput::WriteOut()
{
    const bool written = WriteAll(pbase(), pptr());
    // What could not be written is dropped: the error stands for it.
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return written;
}

CCheckedOutput::int_type CCheckedOutput::overflow(int_type c)
{
    if (!WriteOut())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    if (m_lineBuffered && traits_type::to_char_type(c) == '\n' && !WriteOut())
        return traits_type::eof();
    return c;
}

std::streamsize CCheckedOutput::xsputn(const char* text, std::streamsize count)
{
    if (m_error != 0)
        return 0;
    // A piece as large as the buffer goes out as it is, after what is held.
    if (!m_lineBuffered && count >= static_cast<std::streamsize>(m_buffer.size()))
        return WriteOut() && WriteAll(text, text + count) ? count : 0;
    std::streamsize done = 0;
    while (done < count) {
        if (pptr() == epptr() && !WriteOut())
            return done;
        const std::streamsize room = epptr() - pptr();
        const std::streamsize part = std::min(room, count - done);
        std::memcpy(pptr(), text + done, static_cast<std::size_t>(part));
        pbump(static_cast<int>(part));
        done += part;
    }
    if (m_lineBuffered && std::memchr(text, '\n', static_cast<std::size_t>(count)))
        WriteOut();
    return done;
}

int CCheckedOutput::sync()
{
    return WriteOut() ? 0 : -1;
}
