#pragma once
// Media types as the tool's user names them: the singular or plural name
// (ignoring case, "Book" or "books"), or the number 1..24.

#include "platform/util/VemoTypes.h"

class CCliArgs;

class CMediaTypeNames {
public:
    // The media type; 0 when the text names none.
    static int Parse(const CString& text);
    // The plural names, comma-separated, for error messages.
    static CString ListNames();
    // The media type of a command's required --type; 0 (error set) when it
    // is missing or names none.
    static int ParseTypeOption(const CCliArgs& args, CString& error);
};
