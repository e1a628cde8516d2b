#include "cli/doc/CliDocs.h"

#include <ostream>
#include <sstream>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/model/MediaUtils.h"
#include "data/store/DelimitedTextReader.h"
#include "platform/util/StringUtils.h"

namespace {

// What the value of an option is, for completion.
const std::pair<const char*, const char*> OPTION_VALUES[] = {
    { "type", "media" },
    { "delimiter", "delimiter" },
    { "csv", "file" },
    { "output", "dir" },
    { "data-dir", "dir" },
};

CStringList Lines(const CString& text)
{
    CStringList lines;
    std::istringstream in(text);
    for (CString line; std::getline(in, line);)
        lines.AddTail(line);
    return lines;
}

std::size_t Indent(const CString& line)
{
    const std::size_t first = line.find_first_not_of(' ');
    return first == CString::npos ? line.size() : first;
}

// The help text of the whole tool, cut at its headings ("Commands:").
CString ToolHelpSection(const CString& help, const CString& heading)
{
    const std::size_t at = help.find("\n" + heading + "\n");
    if (at == CString::npos)
        return CString();
    const std::size_t from = at + heading.size() + 2;
    const std::size_t end = help.find("\n\n", from);
    return help.substr(from, end == CString::npos ? CString::npos : end - from);
}

void WriteBlocks(std::ostream& out, const CString& help)
{
    for (const CCliDocs::CHelpBlock& block : CCliDocs::ParseHelp(help)) {
        if (block.term.empty())
            out << ".PP\n" << CCliDocs::RoffEscape(block.text) << '\n';
        else
            out << ".TP\n.B " << CCliDocs::RoffEscape(block.term) << '\n' << CCliDocs::RoffEscape(block.text) << '\n';
    }
}

// The words of a synopsis that are not options or their values:
// "import NAME --type TYPE FILE [--map ...]" gives NAME, FILE.
CStringArray PositionalWords(const CCliCommand& command)
{
    CString synopsis = command.synopsis;
    for (char& c : synopsis)
        if (c == '[' || c == ']' || c == '|')
            c = ' ';
    std::istringstream in(synopsis);
    CStringArray words;
    CString word;
    in >> word; // the command
    bool valueNext = false;
    while (in >> word) {
        if (word.rfind("--", 0) == 0) {
            valueNext = false;
            for (const CCliOption& option : command.options)
                if (word.substr(2) == option.name)
                    valueNext = option.takesValue;
            continue;
        }
        if (valueNext || word == "...") {
            valueNext = false;
            continue;
        }
        words.Add(word);
    }
    return words;
}

CString Quoted(const CString& word)
{
    CString text = word;
    CStringUtils::Replace(text, "'", "'\\''");
    return "'" + text + "'";
}

} // namespace

CString CCliDocs::RoffEscape(const CString& text)
{
    CString escaped;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            escaped += "\\&";
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
        lineStart = c == '\n';
    }
    return escaped;
}

std::vector<CCliDocs::CHelpBlock> CCliDocs::ParseHelp(const CString& help)
{
    std::vector<CHelpBlock> blocks;
    bool inParagraph = false;
    std::size_t textColumn = 0;
    for (const CString& line : Lines(help)) {
        const CString trimmed = CStringUtils::Trim(line);
        if (trimmed.empty()) {
            inParagraph = false;
            continue;
        }
        const std::size_t indent = Indent(line);
        if (indent > 0 && trimmed[0] == '-') {
            // "  --name VALUE    what it does": the term ends at two blanks.
            const std::size_t gap = line.find("  ", indent);
            const std::size_t text = gap == CString::npos ? CString::npos : line.find_first_not_of(' ', gap);
            blocks.push_back({ CStringUtils::Trim(line.substr(indent, gap - indent)),
                text == CString::npos ? CString() : line.substr(text) });
            textColumn = text == CString::npos ? line.size() : text;
            inParagraph = false;
            continue;
        }
        if (!blocks.empty() && !blocks.back().term.empty() && indent >= textColumn && indent > 0) {
            blocks.back().text += "\n" + trimmed;
            continue;
        }
        if (inParagraph) {
            blocks.back().text += "\n" + trimmed;
        } else {
            blocks.push_back({ CString(), trimmed });
            inParagraph = true;
        }
    }
    return blocks;
}

void CCliDocs::WriteManPage(std::ostream& out, const CString& version)
{
    std::ostringstream helpText;
    CCommands::WriteToolHelp(helpText);
    const CStringList lines = Lines(helpText.str());
    const CString usagePrefix = "Usage: " + CCliContext::TOOL_NAME + " ";
    CString synopsis;
    CString description;
    for (const CString& line : lines) {
        if (line.rfind(usagePrefix, 0) == 0)
            synopsis = line.substr(usagePrefix.size());
        else if (description.empty() && !line.empty() && line.back() == '.' && line[0] != ' ')
            description = line;
    }
    CString exitStatus;
    for (const CString& line : lines)
        if (line.rfind("Exit status: ", 0) == 0)
            exitStatus = line.substr(13);

    CString summary = description;
    if (!summary.empty() && summary.back() == '.')
        summary.pop_back();
    out << ".\\\" Made by vemocli-docgen from the tool's --help texts.\n"
        << ".TH VEMOLIBRARY\\-CLI 1 \"\" \"VemoLibrary " << version << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << CCliContext::TOOL_NAME << " \\- " << RoffEscape(summary) << '\n'
        << ".SH SYNOPSIS\n"
        << ".B " << CCliContext::TOOL_NAME << '\n'
        << RoffEscape(synopsis) << '\n'
        << ".SH DESCRIPTION\n"
        << RoffEscape(description) << '\n'
        << ".SH OPTIONS\n";
    WriteBlocks(out, ToolHelpSection(helpText.str(), "Options:"));
    out << ".SH COMMANDS\n";
    for (const CCliCommand& command : CCommands::GetAll()) {
        out << ".SS " << RoffEscape(command.synopsis) << '\n';
        WriteBlocks(out, command.help);
    }
    out << ".SH EXIT STATUS\n"
        << RoffEscape(exitStatus) << '\n'
        << ".SH FILES\n"
        << ".TP\n.I $XDG_DATA_HOME/VemoLibrary/\n"
        << "The data folder (by default ~/.local/share/VemoLibrary/): one file NAME.vly per library, the "
           "archive copies in Archives/, the web report templates in Templates/.\n"
        << ".SH SEE ALSO\n"
        << "The VemoLibrary user guide, chapter \"The command\\-line tool\": "
           "/usr/share/vemolibrary/guide/command\\-line.html\n";
}

void CCliDocs::WriteBashCompletion(std::ostream& out)
{
    CString commands = "help";
    for (const CCliCommand& command : CCommands::GetAll())
        commands += CString(" ") + command.name;
    CString mediaTypes;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        mediaTypes += CMediaUtils::GetMediaNamePlural(type) + "\n";
    CString delimiters;
    for (const CString& name : CDelimitedTextReader::GetDelimiterNames())
        delimiters += name + "\n";

    out << "# bash completion for " << CCliContext::TOOL_NAME
        << "; made by vemocli-docgen from the tool's command table.\n"
           "\n"
           "_vemolibrary_cli_words() {\n"
           "    # Offers the lines of $1 that start with the word being typed;\n"
           "    # -o filenames quotes their blanks.\n"
           "    local cur=\"${2//\\\\ / }\" line\n"
           "    while IFS= read -r line; do\n"
           "        [[ -n \"$line\" && \"$line\" == \"$cur\"* ]] && COMPREPLY+=(\"$line\")\n"
           "    done <<< \"$1\"\n"
           "}\n"
           "\n"
           "_vemolibrary_cli_libraries() {\n"
           "    local dir=\"$1\" file names=\"\"\n"
           "    [ -n \"$dir\" ] || dir=\"${XDG_DATA_HOME:-$HOME/.local/share}/VemoLibrary\"\n"
           "    for file in \"$dir\"/*.vly; do\n"
           "        [ -f \"$file\" ] && names+=\"$(basename \"$file\" .vly)\"$'\\n'\n"
           "    done\n"
           "    printf '%s' \"$names\"\n"
           "}\n"
           "\n"
           "_vemolibrary_cli() {\n"
           "    COMPREPLY=()\n"
           "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"\"\n"
           "    (( COMP_CWORD > 0 )) && prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
           "    local media="
        << Quoted(mediaTypes) << "\n"
        << "    local delimiters=" << Quoted(delimiters) << "\n"
        << "    local command=\"\" dataDir=\"\" positional=0 i word\n"
           "    for (( i = 1; i < COMP_CWORD; i++ )); do\n"
           "        word=\"${COMP_WORDS[i]}\"\n"
           "        if [ -z \"$command\" ]; then\n"
           "            case \"$word\" in\n"
           "                --data-dir) dataDir=\"${COMP_WORDS[i+1]}\"; (( i++ )) ;;\n"
           "                --data-dir=*) dataDir=\"${word#--data-dir=}\" ;;\n"
           "                -*) ;;\n"
           "                *) command=\"$word\" ;;\n"
           "            esac\n"
           "        elif [[ \"$word\" != -* ]]; then\n"
           "            case \"${COMP_WORDS[i-1]}\" in\n";
    // The options whose value is the next word do not count as positional.
    CString valued;
    for (const CCliCommand& command : CCommands::GetAll())
        for (const CCliOption& option : command.options)
            if (option.takesValue && valued.find(CString("--") + option.name + "|") == CString::npos)
                valued += CString("--") + option.name + "|";
    if (!valued.empty()) {
        valued.pop_back();
        out << "                " << valued << ") ;;\n";
    }
    out << "                *) (( positional++ )) ;;\n"
           "            esac\n"
           "        fi\n"
           "    done\n"
           "    dataDir=\"${dataDir/#\\~/$HOME}\"\n"
           "\n"
           "    case \"$prev\" in\n";
    for (const auto& [option, kind] : OPTION_VALUES) {
        out << "        --" << option << ") ";
        const CString what = kind;
        if (what == "media")
            out << "_vemolibrary_cli_words \"$media\" \"$cur\"";
        else if (what == "delimiter")
            out << "_vemolibrary_cli_words \"$delimiters\" \"$cur\"";
        else if (what == "dir")
            out << "COMPREPLY=($(compgen -d -- \"$cur\"))";
        else
            out << "COMPREPLY=($(compgen -f -- \"$cur\"))";
        out << "; return ;;\n";
    }
    out << "    esac\n"
           "\n"
           "    if [ -z \"$command\" ]; then\n"
           "        if [[ \"$cur\" == -* ]]; then\n"
           "            COMPREPLY=($(compgen -W '--data-dir --help --version' -- \"$cur\"))\n"
           "        else\n"
           "            COMPREPLY=($(compgen -W '"
        << commands
        << "' -- \"$cur\"))\n"
           "        fi\n"
           "        return\n"
           "    fi\n"
           "\n"
           "    case \"$command\" in\n"
           "        help) (( positional == 0 )) && COMPREPLY=($(compgen -W '"
        << commands.substr(5) << "' -- \"$cur\")) ;;\n";
    for (const CCliCommand& command : CCommands::GetAll()) {
        CString options = "--help";
        for (const CCliOption& option : command.options)
            options += CString(" --") + option.name;
        out << "        " << command.name << ")\n"
            << "            if [[ \"$cur\" == -* ]]; then\n"
            << "                COMPREPLY=($(compgen -W '" << options << "' -- \"$cur\"))\n"
            << "                return\n"
            << "            fi\n"
            << "            case $positional in\n";
        const CStringArray words = PositionalWords(command);
        for (int i = 0; i < words.GetSize(); ++i) {
            const CString& word = words.GetAt(i);
            if (word == "NAME")
                out << "                " << i
                    << ") _vemolibrary_cli_words \"$(_vemolibrary_cli_libraries \"$dataDir\")\" \"$cur\" ;;\n";
            else if (word == "FILE")
                out << "                " << i << ") COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n";
        }
        out << "            esac\n"
            << "            ;;\n";
    }
    out << "    esac\n"
           "}\n"
           "\n"
           "complete -o filenames -F _vemolibrary_cli "
        << CCliContext::TOOL_NAME << '\n';
}
