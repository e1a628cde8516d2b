#pragma once
// The whole library file: a format word, then the library body. Reading
// fills a fresh library and hands its content over only when the whole file
// was read, so a failed load leaves the caller's library (and the category
// list) as they were. Layout: docs/file-format.md, "Library file".

#include <string>
#include <string_view>

#include "platform/util/VemoTypes.h"

class CArchive;
class CLibrary;

class CLibraryFile {
public:
    static constexpr WORD FORMAT_CURRENT = 2;
    // The earlier format (docs/file-format.md, "Earlier format").
    static constexpr WORD FORMAT_EARLIER = 1;
    static inline const CString READ_ERROR = "VemoLibrary was unable to read the Library data file.";
    static inline const CString SAVE_ERROR = "VemoLibrary was unable to save the Library data file.";
    static inline const CString ERROR_TITLE = "VemoLibrary Data File Problem";

    // Reads the file at path into into. A format word above 2 is refused,
    // and so is a file with bytes left after the body;
    // 1 is the earlier format (converted tells the caller to save at once in
    // the current format); anything else is the current body. On failure the
    // error text is set, the problem logged, and into is untouched.
    static bool Read(CLibrary& into, const CString& path, bool& converted, CString& error);
    // As Read for a reader that changes nothing: the earlier format is
    // converted in memory only (no wish list is written beside the file),
    // leftovers of killed saves beside the file stay, and a file that
    // cannot be opened gives the reason as the error.
    static bool ReadOnly(CLibrary& into, const CString& path, bool& converted, CString& error);
    // Writes format word 2 and the body to path atomically; on failure the
    // previous file stays whole.
    static bool Write(CLibrary& library, const CString& path, CString& error);

    // The same on bytes in memory (tests, fuzzing, the command-line tool).
    static bool ReadBytes(CLibrary& into, std::string_view bytes, bool& converted, CString& error);
    static bool WriteBytes(CLibrary& library, std::string& bytes, CString& error);
    // The library in the earlier format (format word 1), for tests.
    static bool WriteEarlierFormatBytes(CLibrary& library, std::string& bytes, CString& error);

private:
    static bool ReadPath(CLibrary& into, const CString& path, bool readOnly, bool& converted, CString& error);
    static bool ReadArchive(CLibrary& into, CArchive& ar, const CString& wishListPath, bool& converted, CString& error);
};
