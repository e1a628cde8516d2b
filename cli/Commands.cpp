#include "cli/Commands.h"

#include <ostream>

#include "cli/CliContext.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/util/AppLogger.h"
#include "platform/util/DirUtils.h"

#ifndef VEMO_VERSION
#define VEMO_VERSION "unknown"
#endif

namespace {

const std::vector<CCliCommand>& Table()
{
    static const std::vector<CCliCommand> commands = {
        { "list", "list [--json]", "list the libraries with their item counts per media type",
            "Lists every library of the data directory with the number of its items of each\n"
            "media type. A library another program holds open is marked as such.\n"
            "\n"
            "  --json       write the list as JSON\n",
            { { "json", false } }, 0, 0, RunList },
        { "new", "new NAME", "create an empty library",
            "Creates the library NAME with the default web reports. Names are not\n"
            "case-sensitive; at most 40 libraries can exist.\n",
            {}, 1, 1, RunNew },
        { "check", "check FILE", "say whether a library file is whole (exit status 0 or 1)",
            "Reads the library file FILE (a path, or the name of a library of the data\n"
            "directory) and says whether it is whole. Exit status 0 when it is, 1 when not.\n",
            {}, 1, 1, RunCheck },
        { "dump", "dump NAME [--json]", "write the whole library as text or JSON",
            "Writes everything the library NAME holds: settings, categories, custom fields,\n"
            "every item with all its properties, sub-items, custom values and check-out\n"
            "history, research entries and reports.\n"
            "\n"
            "  --json       write JSON instead of text\n",
            { { "json", false } }, 1, 1, RunDump },
        { "import",
            "import NAME --type TYPE FILE [--delimiter D] [--map COLUMN=PROPERTY ...] [--no-header] [--dry-run]",
            "import items from a delimited text file",
            "Imports the rows of FILE into the library NAME as items of TYPE, as the import\n"
            "window does: a row equal to an item already there fills in that item's missing\n"
            "data, every other row becomes a new item. Either every row is imported or none.\n"
            "A first row of property or custom field names is the header and says which\n"
            "property each column holds; other columns are not imported unless mapped.\n"
            "\n"
            "  --type TYPE          media type: a name such as Books or \"Video Tape\", or 1..24\n"
            "  --delimiter D        tab, comma, period, dash or space (default: comma for\n"
            "                       .csv files, tab otherwise)\n"
            "  --map COLUMN=PROP    column (number from 1, or its heading) to a data property\n"
            "                       or custom field name, or <ignore>; may be repeated\n"
            "  --no-header          the first row is data, not headings\n"
            "  --dry-run            say what would happen and save nothing\n",
            { { "type", true }, { "delimiter", true }, { "map", true }, { "no-header", false }, { "dry-run", false } },
            2, 2, RunImport },
        { "report", "report NAME REPORT [--csv FILE]", "run a printed report and write its rows as CSV",
            "Runs the custom printed report REPORT of the library NAME, or when REPORT names a\n"
            "media type (Books, CDs, ...) that type's basic report, and writes its rows as\n"
            "CSV: a line of column names, then one line per row.\n"
            "\n"
            "  --csv FILE   write to FILE instead of standard output\n",
            { { "csv", true } }, 2, 2, RunReport },
        { "webreport", "webreport NAME [REPORT|--all] [--output DIR]", "generate web reports",
            "Generates the web report REPORT of the library NAME, or all of them with --all,\n"
            "from the templates. Progress goes to standard error. With --all, reports whose\n"
            "media types hold no items are skipped.\n"
            "\n"
            "  --all          generate every web report of the library\n"
            "  --output DIR   write the pages into DIR instead of the report's folder\n",
            { { "all", false }, { "output", true } }, 1, 2, RunWebReport },
    };
    return commands;
}

bool IsHelp(const CString& arg)
{
    return arg == "--help" || arg == "-h";
}

} // namespace

const std::vector<CCliCommand>& CCommands::GetAll()
{
    return Table();
}

const CCliCommand* CCommands::Find(const CString& name)
{
    for (const CCliCommand& command : Table())
        if (name == command.name)
            return &command;
    return nullptr;
}

void CCommands::WriteToolHelp(std::ostream& out)
{
    out << "Usage: " << CCliContext::TOOL_NAME << " [--data-dir DIR] COMMAND [ARGS]\n"
        << "\n"
        << "The libraries of VemoLibrary without a window, for collectors who script.\n"
        << "\n"
        << "Commands:\n";
    for (const CCliCommand& command : Table()) {
        CString name = command.name;
        name.resize(12, ' ');
        out << "  " << name << command.summary << '\n';
    }
    out << "\n"
        << "Options:\n"
        << "  --data-dir DIR   use the libraries in DIR instead of the program's data directory\n"
        << "                   ($XDG_DATA_HOME/VemoLibrary)\n"
        << "  --help           show this help; COMMAND --help shows the help of a command\n"
        << "  --version        show the version\n"
        << "\n"
        << "Exit status: 0 on success, 1 when the command failed, 2 for a wrong command line.\n";
}

void CCommands::WriteCommandHelp(const CCliCommand& command, std::ostream& out)
{
    out << "Usage: " << CCliContext::TOOL_NAME << ' ' << command.synopsis << "\n\n" << command.help;
}

int CCommands::Main(const std::vector<CString>& args, CCliContext& context)
{
    // Whatever the command did, output that did not reach its file fails.
    return context.FinishOutput(Run(args, context));
}

int CCommands::Run(const std::vector<CString>& args, CCliContext& context)
{
    std::size_t next = 0;
    while (next < args.size()) {
        const CString& arg = args[next];
        if (IsHelp(arg)) {
            WriteToolHelp(context.Out());
            return CCliContext::EXIT_OK;
        }
        if (arg == "--version") {
            context.Out() << CCliContext::TOOL_NAME << ' ' << VEMO_VERSION << '\n';
            return CCliContext::EXIT_OK;
        }
        if (arg == "--data-dir" || arg.rfind("--data-dir=", 0) == 0) {
            CString dir;
            if (arg == "--data-dir") {
                if (next + 1 >= args.size())
                    return context.UsageError("", "option --data-dir needs a folder");
                dir = args[++next];
            } else {
                dir = arg.substr(11);
            }
            if (dir.empty())
                return context.UsageError("", "option --data-dir needs a folder");
            CAppPaths::SetDataDirOverride(dir);
            ++next;
            continue;
        }
        if (arg.rfind("-", 0) == 0)
            return context.UsageError("", "unknown option " + arg);
        break;
    }
    if (next >= args.size()) {
        WriteToolHelp(context.Err());
        return CCliContext::EXIT_USAGE;
    }

    const CString name = args[next];
    if (name == "help") {
        const CCliCommand* about = next + 1 < args.size() ? Find(args[next + 1]) : nullptr;
        if (about)
            WriteCommandHelp(*about, context.Out());
        else
            WriteToolHelp(context.Out());
        return CCliContext::EXIT_OK;
    }
    const CCliCommand* command = Find(name);
    if (!command)
        return context.UsageError("", "unknown command '" + name + "'");

    const std::vector<CString> rest(args.begin() + static_cast<std::ptrdiff_t>(next) + 1, args.end());
    for (const CString& arg : rest) {
        if (arg == "--")
            break;
        if (IsHelp(arg)) {
            WriteCommandHelp(*command, context.Out());
            return CCliContext::EXIT_OK;
        }
    }
    CCliArgs parsed;
    CString error;
    if (!parsed.Parse(rest, command->options, error))
        return context.UsageError(command->name, error);
    const int words = static_cast<int>(parsed.Positional().size());
    if (words < command->minWords)
        return context.UsageError(command->name, "missing arguments");
    if (words > command->maxWords)
        return context.UsageError(command->name, "too many arguments");
    // Unexpected conditions go to the program's log, once there is a data
    // directory to hold it.
    if (CAppLogger* logger = CAppLogger::GetInstance(); logger && CDirUtils::DoesDirExist(context.DataDir()))
        logger->SetLogFile(CAppPaths::LogFile());
    return command->run(context, parsed);
}
