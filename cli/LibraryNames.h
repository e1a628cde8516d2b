#pragma once
// The libraries of a data directory (every "<name>.vly" file in it) and the
// rules a new library name must follow.

#include "platform/util/VemoTypes.h"

class CLibraryNames {
public:
    static constexpr int MAX_LIBRARIES = 40;
    static inline const CString EXISTS_MESSAGE = "A Library by this name already exists. Library names are not "
                                                 "case-sensitive. Please enter a different name.";
    static inline const CString BLANK_MESSAGE = "A Library name cannot be blank.";
    static inline const CString LIMIT_MESSAGE
        = "VemoLibrary has a hard-wired upper limit to the number of Libraries it can support. You cannot create any "
          "more Libraries.";

    // The names, ordered ignoring case.
    static CStringArray List(const CString& dataDir);
    // The listed name equal to name: exactly, else ignoring case; "" when
    // there is none.
    static CString Resolve(const CString& dataDir, const CString& name);
    // Whether name may be given to a new library among existing; error says
    // why not.
    static bool CheckNewName(const CString& name, const CStringArray& existing, CString& error);
};
