#pragma once
// The libraries of a data folder (every "<name>.vly" file in it) and the one
// set of rules a library name follows, for the program and the tool alike.
// A name is a file name, so it may not hold a path separator, a character
// other systems refuse, a control character or bytes that are no UTF-8; it
// may not begin with a dot (temporary and hidden files do) nor take the
// name of the shared data file; and it leaves room within a file name's 255
// bytes for ".vly", an archive's sequence number and a temporary name.

#include <cstddef>

#include "platform/util/VemoTypes.h"

class CLibraryNames {
public:
    static constexpr int MAX_LIBRARIES = 40;
    static constexpr std::size_t MAX_NAME_BYTES = 200;
    static constexpr const char* BAD_CHARS = "\\/:*?\"<>|";

    static inline const CString EXISTS_MESSAGE = "A Library by this name already exists. Library names are not "
                                                 "case-sensitive. Please enter a different name.";
    static inline const CString BLANK_MESSAGE = "A Library name cannot be blank.";
    static inline const CString BAD_CHARS_MESSAGE
        = "VemoLibrary uses the Library name as the physical data file name. The following characters are not "
          "allowed under the Windows operating system:\n\n\\\t/\t:\t*\t?\t\"\t<\t>\t|\n\nPlease enter a "
          "different name.";
    static inline const CString CONTROL_MESSAGE
        = "A Library name cannot contain control characters such as tabs or line breaks. Please enter a different "
          "name.";
    static inline const CString LEADING_DOT_MESSAGE
        = "A Library name cannot begin with a period. Please enter a different name.";
    static inline const CString TOO_LONG_MESSAGE
        = "The Library name is too long: it may take at most 200 bytes (a letter of the English alphabet takes one, "
          "an accented letter two, other characters up to four). Please enter a shorter name.";
    static inline const CString RESERVED_MESSAGE
        = "The Library name is a reserved name and cannot be used. Please change the name to something different.";
    static inline const CString LIMIT_TITLE = "New Library";
    static inline const CString LIMIT_MESSAGE
        = "VemoLibrary has a hard-wired upper limit to the number of Libraries it can support. You cannot create any "
          "more Libraries.\n\nIf this is a problem, please let us know.";

    // The names, ordered ignoring case (exact order between names that
    // differ only in case).
    static CStringArray List(const CString& dataDir);
    // The listed name equal to name: exactly, else ignoring case; "" when
    // there is none.
    static CString Resolve(const CString& dataDir, const CString& name);
    static CString FindNoCase(const CStringArray& names, const CString& name);

    // The message of the first rule name breaks, or "" for a good name:
    // blank, characters, control characters, leading dot, length, reserved.
    static CString CheckName(const CString& name);
    // For a library to be added among existing (which holds every library,
    // the loaded one included): an existing name ignoring case, then
    // CheckName, then the limit.
    static CString CheckNewName(const CString& name, const CStringArray& existing);
    // "My Library", else the first free "My Library #n" from 2 on; a name
    // taken in another capitalisation is not free.
    static CString NewLibraryName(const CStringArray& existing);
};
