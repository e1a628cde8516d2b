#include "net/ProgramLauncher.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/util/StringUtils.h"

namespace {

bool IsExecutableFile(const CString& path)
{
    struct stat info { };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Runs in the forked child, where only async-signal-safe calls are allowed:
// it reports the errno of the last failed exec through the pipe.
[[noreturn]] void ExecInChild(const std::vector<std::vector<char*>>& argvs, int reportFd)
{
    setsid();
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults { };
    defaults.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &defaults, nullptr);
    sigaction(SIGCHLD, &defaults, nullptr);
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        if (devNull > STDERR_FILENO)
            close(devNull);
    }
    int lastError = ENOENT;
    for (const auto& argv : argvs) {
        execv(argv[0], argv.data());
        lastError = errno;
    }
    [[maybe_unused]] ssize_t written = write(reportFd, &lastError, sizeof lastError);
    _exit(127);
}

} // namespace

CString CProgramLauncher::FindProgram(const CString& name)
{
    if (name.empty())
        return CString();
    if (name[0] == '/')
        return IsExecutableFile(name) ? name : CString();
    if (name.find('/') != CString::npos)
        return CString();
    const char* path = std::getenv("PATH");
    CStringList dirs;
    CStringUtils::SplitLine(path ? CString(path) : CString("/usr/local/bin:/usr/bin:/bin"), ":", dirs);
    for (const CString& dir : dirs) {
        // An empty or relative entry would depend on the current folder.
        if (dir.empty() || dir[0] != '/')
            continue;
        CString candidate = dir + (dir.back() == '/' ? "" : "/") + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return CString();
}

bool CProgramLauncher::StartDetached(const CArray<CStringArray>& commands, CString& error)
{
    error.clear();
    // Everything the child needs is prepared here: after fork it may not allocate.
    std::vector<std::vector<char*>> argvs;
    for (const CStringArray& command : commands) {
        if (command.IsEmpty() || command[0].empty() || command[0][0] != '/')
            continue;
        std::vector<char*> argv;
        for (const CString& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        argvs.push_back(std::move(argv));
    }
    if (argvs.empty()) {
        error = "No program to start was found.";
        return false;
    }

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        error = CStringUtils::Format("Unable to start the program: %s.", std::strerror(errno));
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        const int forkError = errno;
        close(report[0]);
        close(report[1]);
        error = CStringUtils::Format("Unable to start the program: %s.", std::strerror(forkError));
        return false;
    }
    if (child == 0) {
        close(report[0]);
        // The intermediate child exits at once, so the program becomes a
        // child of init and is never left as a zombie of ours.
        const pid_t grandChild = fork();
        if (grandChild < 0) {
            int forkError = errno;
            [[maybe_unused]] ssize_t written = write(report[1], &forkError, sizeof forkError);
            _exit(1);
        }
        if (grandChild > 0)
            _exit(0);
        ExecInChild(argvs, report[1]);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    // The pipe closes without data when exec succeeded (close-on-exec).
    int childError = 0;
    ssize_t got;
    do {
        got = read(report[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        error = CStringUtils::Format("Unable to start %s: %s.", argvs.back()[0], std::strerror(childError));
        return false;
    }
    return true;
}
