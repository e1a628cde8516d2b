#pragma once
// The tool's standard output: a buffer over a file descriptor that keeps the
// first write error (a full disk, /dev/full, a closed pipe). From then on
// the stream is bad and writes nothing more, so that the command can end
// with the error instead of exiting as if its output were whole. On a
// terminal each line goes out when it ends, beside the progress on the
// error stream.

#include <streambuf>
#include <vector>

class CCheckedOutput : public std::streambuf {
public:
    explicit CCheckedOutput(int fd);
    ~CCheckedOutput() override;
    CCheckedOutput(const CCheckedOutput&) = delete;
    CCheckedOutput& operator=(const CCheckedOutput&) = delete;

    // The errno of the first failed write, 0 while every write succeeded.
    int GetError() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool WriteAll(const char* next, const char* end);
    // The buffer's text.
    bool WriteOut();

    int m_fd;
    bool m_lineBuffered;
    int m_error = 0;
    std::vector<char> m_buffer;
};
