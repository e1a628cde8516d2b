#pragma once
// The fixture of the tool's end-to-end tests: runs the built tool on a
// temporary data directory and captures what it says.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <map>
#include <string>
#include <vector>

#include "JsonCheck.h"
#include "support/TempDir.h"

extern char** environ;

namespace clitest {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    struct Started {
        pid_t pid = 0;
        std::string outFile;
        std::string errFile;
        bool readOut = true;
    };

    // Starts the tool with --data-dir first, capturing both streams in files
    // named after tag (standard output in outPath when one is given).
    Started Start(std::vector<std::string> args, const std::string& tag = "run", bool withDataDir = true,
        const std::string& outPath = "")
    {
        if (withDataDir)
            args.insert(args.begin(), { "--data-dir", m_data });
        const std::string tool = std::string(VEMO_TEST_BIN_DIR) + "/vemolibrary-cli";
        args.insert(args.begin(), tool);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);

        Started started { 0, outPath.empty() ? m_scratch.File(tag + ".out") : outPath, m_scratch.File(tag + ".err"),
            outPath.empty() };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, started.outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, started.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int spawned = posix_spawn(&started.pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0) << "cannot start " << tool;
        if (spawned != 0)
            started.pid = 0;
        return started;
    }

    ToolRun Finish(const Started& started)
    {
        ToolRun run;
        if (started.pid == 0)
            return run;
        int status = 0;
        waitpid(started.pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = started.readOut ? vemotest::ReadAll(started.outFile) : std::string();
        run.err = vemotest::ReadAll(started.errFile);
        return run;
    }

    ToolRun Run(std::vector<std::string> args, bool withDataDir = true, const std::string& outPath = "")
    {
        return Finish(Start(std::move(args), "run", withDataDir, outPath));
    }

    std::string LibraryPath(const std::string& name) const { return m_data + "/" + name + ".vly"; }
    std::string LibraryBytes(const std::string& name) const { return vemotest::ReadAll(LibraryPath(name)); }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        vemotest::WriteAll(m_scratch.File(name), bytes);
        return m_scratch.File(name);
    }

    vemotest::JsonValue DumpJson(const std::string& library)
    {
        const ToolRun dump = Run({ "dump", library, "--json" });
        EXPECT_EQ(dump.status, 0) << dump.err;
        vemotest::JsonValue value;
        std::string error;
        EXPECT_TRUE(vemotest::ParseJson(dump.out, value, error)) << error;
        return value;
    }

    // The books of a JSON dump by title.
    static std::map<std::string, const vemotest::JsonValue*> Books(const vemotest::JsonValue& dump)
    {
        std::map<std::string, const vemotest::JsonValue*> books;
        for (const vemotest::JsonValue& type : dump["mediaTypes"].elements)
            if (type["name"].string == "Books")
                for (const vemotest::JsonValue& item : type["items"].elements)
                    books[item["properties"]["Title"].string] = &item;
        return books;
    }

    void NewLibrary(const std::string& name)
    {
        const ToolRun run = Run({ "new", name });
        ASSERT_EQ(run.status, 0) << run.err;
    }

    vemotest::TempDir m_dataDir;
    vemotest::TempDir m_scratch;
    std::string m_data = m_dataDir.Path() + "/data";
};

} // namespace clitest
