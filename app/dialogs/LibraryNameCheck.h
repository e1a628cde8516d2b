#pragma once
// The checks of a new library name typed into the Copy and Rename dialogs,
// in the order the user is told about them.

#include <QString>

#include "platform/util/VemoTypes.h"

class CLibraryNameCheck {
public:
    enum Mode { Copy, Rename };

    static inline const QString MSG_EXISTS = "A Library by this name already exists. Library names are not "
                                             "case-sensitive. Please enter a different name.";
    static inline const QString MSG_BLANK = "A Library name cannot be blank.";
    static inline const QString MSG_BAD_CHARS
        = "VemoLibrary uses the Library name as the physical data file name. The following characters are not "
          "allowed under the Windows operating system:\n\n\\\t/\t:\t*\t?\t\"\t<\t>\t|\n\nPlease enter a "
          "different name.";
    static inline const QString MSG_RESERVED
        = "The Library name is a reserved name and cannot be used. Please change the name to something different.";
    static inline const CString RESERVED_NAME = "vemolibrary2";
    static inline const CString BAD_CHARS = "\\/:*?\"<>|";

    // The message of the first check that fails, or "" for a good name.
    // existing holds every library name, the loaded one included.
    static QString Check(const CString& name, const CStringArray& existing, Mode mode);
};
