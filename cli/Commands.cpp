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
            "import NAME (--type TYPE | --type-column COLUMN --type-map MAP) FILE [--delimiter D]\n"
            "       [--header yes|no|auto] [--map COLUMN=PROPERTY ...] [--new-fields] [--dry-run] [--lookup]",
            "import items from a delimited text file",
            "Imports the rows of FILE into the library NAME as items of TYPE, as the import\n"
            "window does: a row equal to an item already there fills in that item's missing\n"
            "data, every other row becomes a new item. Either every row is imported or none.\n"
            "A first row of property or custom field names is the header and says which\n"
            "property each column holds; other columns are not imported unless mapped.\n"
            "Cells that cannot be read (a date that is no date, a number without digits)\n"
            "are left empty and listed by row and column.\n"
            "\n"
            "  --type TYPE          media type: a name such as Books or \"Video Tape\", or 1..24\n"
            "  --type-column COLUMN the column that says each row's media type, with\n"
            "  --type-map MAP       its values: \"Vinyl=Record Albums,CD=CDs\"; rows of other\n"
            "                       values are skipped\n"
            "  --delimiter D        tab, comma, period, dash, space or semicolon (default:\n"
            "                       comma for .csv files, tab otherwise)\n"
            "  --header H           yes: the first row holds headings (also when some name no\n"
            "                       property); no: it is data; auto (default): headings when\n"
            "                       every one names a property, or when a column is named by\n"
            "                       its heading\n"
            "  --map COLUMN=PROP    column (number from 1, or its heading) to a data property\n"
            "                       or custom field name, or <ignore>; may be repeated\n"
            "  --new-fields         give every column whose heading names no property a text\n"
            "                       custom field of that name, and import it\n"
            "  --no-header          the same as --header no\n"
            "  --dry-run            say what would happen and save nothing\n"
            "  --lookup             fill the empty fields of every imported item that has an\n"
            "                       ISBN or a barcode from the online look-up (see lookup)\n",
            { { "type", true }, { "type-column", true }, { "type-map", true }, { "delimiter", true },
                { "header", true }, { "map", true }, { "new-fields", false }, { "no-header", false },
                { "dry-run", false }, { "lookup", false }, { "sources", true }, { "picture-dir", true } },
            2, 2, RunImport },
        { "report", "report NAME REPORT [--csv FILE] [--bom]", "run a printed report and write its rows as CSV",
            "Runs the custom printed report REPORT of the library NAME, or when REPORT names a\n"
            "media type (Books, CDs, ...) that type's basic report, and writes its rows as\n"
            "CSV: a line of column names, then one line per row.\n"
            "\n"
            "  --csv FILE   write to FILE instead of standard output\n"
            "  --bom        start with a UTF-8 byte-order mark, for spreadsheet programs\n"
            "               that need one\n",
            { { "csv", true }, { "bom", false } }, 2, 2, RunReport },
        { "fields", "fields NAME TYPE [list | add FIELD [--kind K] | rename FIELD NEW | delete FIELD]",
            "list, add, rename or delete the custom fields of a media type",
            "Lists the custom fields of the media type TYPE in the library NAME (their names\n"
            "and kinds), or adds, renames or deletes one. Deleting a field deletes its\n"
            "values in every item.\n"
            "\n"
            "  --kind K     the kind of a new field: text (default), date, yes/no, list,\n"
            "               file or web\n",
            { { "kind", true } }, 2, 5, RunFields },
        { "reportdef", "reportdef NAME print|web [list | show REPORT | set FILE [--report REPORT] | delete REPORT]",
            "list, show, define or delete printed and web report definitions as JSON",
            "Lists the printed (print) or web (web) reports of the library NAME, writes the\n"
            "definition of one as JSON, defines one from a JSON file (- for standard input),\n"
            "or deletes one. set changes the report its \"name\" names, or makes a new one;\n"
            "keys left out keep their values, and nothing is saved when one is wrong.\n"
            "Keys of both: \"name\", \"mediaTypes\" (names such as \"Books\"), \"categories\"\n"
            "(names, or \"all\"). A printed report adds \"columns\" (property and custom field\n"
            "names in order) and \"sortOrder\" (up to four properties; a leading - sorts\n"
            "from high to low). A web report adds \"homePage\", \"includeDuplicates\" and\n"
            "\"pageLevels\": one to three objects of \"template\", \"sortBy\" and \"thenBy\".\n"
            "Templates and home pages without a folder are those of the data directory.\n"
            "\n"
            "  --report REPORT  change the report REPORT (its \"name\" may rename it)\n",
            { { "report", true } }, 2, 4, RunReportDef },
        { "webreport", "webreport NAME [REPORT|--all] [--output DIR]", "generate web reports",
            "Generates the web report REPORT of the library NAME, or all of them with --all,\n"
            "from the templates. Progress goes to standard error. With --all, reports whose\n"
            "media types hold no items are skipped.\n"
            "\n"
            "  --all          generate every web report of the library\n"
            "  --output DIR   write the pages into DIR instead of the report's folder\n",
            { { "all", false }, { "output", true } }, 1, 2, RunWebReport },
        { "lookup", "lookup NAME --type TYPE (--isbn CODE | --barcode CODE | --catalog TEXT | --title TEXT)",
            "fill or create an item from the online look-up",
            "Looks the code or title up online and fills the item of TYPE in the library NAME\n"
            "that has it (a book by its ISBN, an album by its jacket number, any item by its\n"
            "title), or creates that item. Only empty fields are filled unless --replace is\n"
            "given; music gets its tracks, and the cover is saved as the item's picture.\n"
            "Books are looked up at Open Library, music at MusicBrainz with covers from the\n"
            "Cover Art Archive, films at OMDb with the API key in $VEMOLIBRARY_OMDB_API_KEY.\n"
            "\n"
            "  --isbn CODE          an ISBN-10 or ISBN-13\n"
            "  --barcode CODE       an EAN-13 or UPC-A barcode\n"
            "  --catalog TEXT       a record label's catalogue number\n"
            "  --title TEXT         a title\n"
            "  --type TYPE          media type: a name such as Books or CDs, or 1..24\n"
            "  --replace            overwrite fields that are set already\n"
            "  --list               only list what was found\n"
            "  --choose N           fill from the N-th of the found candidates (default 1)\n"
            "  --sources LIST       the sources to ask, in order (default:\n"
            "                       openlibrary,musicbrainz,omdb)\n"
            "  --picture-dir DIR    where covers are saved (default: Pictures in the data\n"
            "                       directory)\n",
            { { "type", true }, { "isbn", true }, { "barcode", true }, { "catalog", true }, { "title", true },
                { "replace", false }, { "list", false }, { "choose", true }, { "sources", true },
                { "picture-dir", true } },
            1, 1, RunLookup },
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
