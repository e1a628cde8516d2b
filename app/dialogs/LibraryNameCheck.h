#pragma once
// The checks of a new library name typed into the Copy and Rename dialogs:
// the library session's rules (CLibraryNames), as the tool applies them, in
// the order the user is told about them.

#include <QString>

#include "platform/util/VemoTypes.h"

class CLibraryNameCheck {
public:
    enum Mode { Copy, Rename };

    // The message of the first check that fails, or "" for a good name.
    // existing holds every library name, the loaded one included. A copy
    // adds a library, so it also meets the limit.
    static QString Check(const CString& name, const CStringArray& existing, Mode mode);
};
