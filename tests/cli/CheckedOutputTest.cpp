#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <ostream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "cli/CheckedOutput.h"
#include "cli/CliContext.h"

namespace {

struct Pipe {
    int fds[2] = { -1, -1 };
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe()
    {
        for (int fd : fds)
            if (fd >= 0)
                close(fd);
    }
    std::string ReadAll()
    {
        std::string bytes;
        char chunk[4096];
        for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, static_cast<std::size_t>(n));
        return bytes;
    }
};

} // namespace

TEST(CheckedOutputTest, WholeOutputArrivesAndCounts)
{
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    CCheckedOutput buffer(fileno(file));
    std::ostream out(&buffer);
    std::stringstream err;
    CCliContext context(out, err);
    const std::string rows = "Title,Year\n" + std::string(100000, 'x') + '\n';
    out << rows;
    EXPECT_EQ(context.FinishOutput(CCliContext::EXIT_OK), CCliContext::EXIT_OK);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(buffer.GetError(), 0);
    std::string back(rows.size() + 1, '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(back.data(), 1, back.size(), file), rows.size());
    back.resize(rows.size());
    EXPECT_EQ(back, rows);
    std::fclose(file);
}

// A pipe nobody reads takes 64 KiB and then refuses: the output stops
// there, stays stopped, and the command fails with the reason.
TEST(CheckedOutputTest, FirstFailedWriteStopsTheOutputAndFailsTheCommand)
{
    Pipe pipe;
    ASSERT_EQ(fcntl(pipe.fds[1], F_SETFL, O_NONBLOCK), 0);
    ASSERT_EQ(fcntl(pipe.fds[0], F_SETFL, O_NONBLOCK), 0);
    CCheckedOutput buffer(pipe.fds[1]);
    std::ostream out(&buffer);
    std::stringstream err;
    CCliContext context(out, err);
    for (int row = 0; row < 10000 && out; ++row)
        out << "row " << row << ", a line of a report that is longer than most\n";
    EXPECT_FALSE(out.good());
    EXPECT_EQ(buffer.GetError(), EAGAIN);
    const std::string written = pipe.ReadAll();
    out << "more";
    EXPECT_EQ(context.FinishOutput(CCliContext::EXIT_OK), CCliContext::EXIT_FAILED);
    EXPECT_NE(err.str().find("cannot write to standard output (Resource temporarily unavailable)"), std::string::npos)
        << err.str();
    EXPECT_GT(written.size(), 0u);
    EXPECT_LT(written.size(), 10000u * 40);
    EXPECT_EQ(pipe.ReadAll(), "");
}

TEST(CheckedOutputTest, ClosedReaderIsAFailure)
{
    Pipe pipe;
    close(pipe.fds[0]);
    pipe.fds[0] = -1;
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    CCheckedOutput buffer(pipe.fds[1]);
    std::ostream out(&buffer);
    std::stringstream err;
    CCliContext context(out, err);
    out << "list\n";
    EXPECT_EQ(context.FinishOutput(CCliContext::EXIT_OK), CCliContext::EXIT_FAILED);
    std::signal(SIGPIPE, previous);
    EXPECT_EQ(buffer.GetError(), EPIPE);
}

// Pieces larger than the buffer bypass it; a failure there counts the same.
TEST(CheckedOutputTest, LargePieceThatCannotBeWrittenFails)
{
    const int fd = open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    CCheckedOutput buffer(fd);
    std::ostream out(&buffer);
    out << "held\n" << std::string(200000, 'x');
    EXPECT_FALSE(out.good());
    EXPECT_EQ(buffer.GetError(), ENOSPC);
    close(fd);
}
