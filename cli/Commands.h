#pragma once
// The subcommands of the tool: each has a synopsis, a help text, the options
// it accepts, how many words it takes, and the function that runs it.

#include <vector>

#include "cli/CliArgs.h"
#include "platform/util/VemoTypes.h"

class CCliContext;

struct CCliCommand {
    const char* name;
    const char* synopsis; // after the tool's name
    const char* summary; // one line for the tool's help
    const char* help; // what follows the synopsis in the command's help
    std::vector<CCliOption> options;
    int minWords;
    int maxWords;
    int (*run)(CCliContext& context, const CCliArgs& args);
};

// Each runs one subcommand whose words and options were checked already.
int RunList(CCliContext& context, const CCliArgs& args);
int RunNew(CCliContext& context, const CCliArgs& args);
int RunCheck(CCliContext& context, const CCliArgs& args);
int RunDump(CCliContext& context, const CCliArgs& args);
int RunImport(CCliContext& context, const CCliArgs& args);
int RunReport(CCliContext& context, const CCliArgs& args);
int RunWebReport(CCliContext& context, const CCliArgs& args);
int RunLookup(CCliContext& context, const CCliArgs& args);
int RunFields(CCliContext& context, const CCliArgs& args);
int RunReportDef(CCliContext& context, const CCliArgs& args);

class CCommands {
public:
    static const std::vector<CCliCommand>& GetAll();
    static const CCliCommand* Find(const CString& name);
    // The whole tool: global options, then one subcommand. Returns the exit
    // status.
    static int Main(const std::vector<CString>& args, CCliContext& context);
    static void WriteToolHelp(std::ostream& out);
    static void WriteCommandHelp(const CCliCommand& command, std::ostream& out);

private:
    static int Run(const std::vector<CString>& args, CCliContext& context);
};
