#pragma once
// The tool's manual page and its bash completion, made from the same
// command table and help texts that --help writes, so the three never
// disagree.

#include <iosfwd>
#include <vector>

#include "platform/util/VemoTypes.h"

class CCliDocs {
public:
    // A man(7) page: the tool's help as name, synopsis, description and
    // options, then every command with its own help.
    static void WriteManPage(std::ostream& out, const CString& version);
    // A bash completion script for the commands, their options, the media
    // type and delimiter names, and the libraries of the data folder.
    static void WriteBashCompletion(std::ostream& out);

    // One entry of a help text's option list ("  --json   write JSON"),
    // or a paragraph of prose when term is empty.
    struct CHelpBlock {
        CString term;
        CString text;
    };
    // Splits help text into paragraphs and option entries; a line indented
    // deeper than an entry's term continues its text.
    static std::vector<CHelpBlock> ParseHelp(const CString& help);
    // Text as man(7) prints it: backslashes and leading dots escaped.
    static CString RoffEscape(const CString& text);
};
