#pragma once
// File helpers. Every routine reports failure through its result (and an
// optional error text); none throws.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CFileUtils {
public:
    static bool DoesFileExist(const CString& path);       // a regular file
    static std::int64_t GetFileSize(const CString& path); // -1 when missing
    static bool IsFileEmpty(const CString& path);         // missing counts as empty
    static bool IsFileWritable(const CString& path);
    static bool MakeFileWritable(const CString& path);
    static COleDateTime GetModificationTime(const CString& path);  // invalid when missing

    // Whole-file bytes.
    static bool ReadFileBytes(const CString& path, std::string& bytes, CString* error = nullptr);
    // The one way files are written: a temporary file in the same folder,
    // written, flushed and fsync'ed, renamed over path, then the folder is
    // fsync'ed. A failure at any step removes the temporary file and leaves
    // the previous file at path byte for byte as it was.
    static bool WriteFileAtomic(const CString& path, std::string_view bytes, CString* error = nullptr);
    // Name pattern of the temporary files WriteFileAtomic makes beside path
    // (path + ".tmp-" + the writer's process id and a unique suffix), and
    // their clean-up after a crash: returns how many were removed. A file
    // whose writer still runs is a save in progress and stays.
    static CString TempFilePrefix(const CString& path);
    static int RemoveStaleTempFiles(const CString& path);

    // Text files as lines (UTF-8; a byte-order mark is skipped; lines end
    // at LF, CRLF or CR; bytes that are not UTF-8 are read as Windows-1252).
    // The lines replace what the list held; on failure the list is untouched.
    static bool ReadFileContent(const CString& path, CStringList& lines, CString* error = nullptr);
    // Writes the lines, each ended by "\n", atomically.
    static bool WriteFileContent(const CString& path, const CStringList& lines, CString* error = nullptr);
    // True when the file exists and holds exactly the lines as
    // WriteFileContent would write them.
    static bool IsContentIdentical(const CString& path, const CStringList& lines);
    // The same for the text those lines make, already joined.
    static bool IsContentIdentical(const CString& path, const CString& text);
    // The lines, each ended by "\n", as one text.
    static CString JoinLines(const CStringList& lines);
    static bool AreFilesIdentical(const CString& a, const CString& b);

    // The copy goes through a temporary file beside to, so a failed copy
    // leaves any previous file at to whole.
    static bool CopyFile(const CString& from, const CString& to, bool failIfExists, CString* error = nullptr);
    // Renames; across file systems copies, then removes from. Fails when
    // to exists already (so a move never overwrites anything).
    static bool MoveFile(const CString& from, const CString& to, CString* error = nullptr);
    // Removes a file (or a link, not what it points to); false when missing.
    static bool DeleteFile(const CString& path, CString* error = nullptr);

    // A name safe as one file name: "/", "\", ":", "*", "?", '"', "<", ">",
    // "|", control characters and bytes that are not UTF-8 become
    // replacement; a name made only of dots, or starting with one, gets its
    // leading dots replaced too. A name longer than 255 bytes is cut on a
    // character boundary, keeping an extension of up to 15 characters. An
    // empty name stays empty (callers append it to a prefix); a replacement
    // that is itself unsafe is taken as "_".
    static CString ReplaceBadFileChars(const CString& name, const CString& replacement = "_");
    // The last path element, with or without its extension.
    static CString ParseFileNameFromPath(const CString& path, bool withExtension);
    // The folder part, ending in "/" ("" when the path has none).
    static CString ParseDirFromPath(const CString& path);
    // The extension without its dot ("" when none).
    static CString ParseExtension(const CString& path);

    // Test seam: when set, WriteFileAtomic fails with "No space left on
    // device" once this many bytes of one file have been written (-1 turns
    // it off). Used by tests that prove a failed save loses nothing.
    static void SetWriteLimitForTesting(std::int64_t bytes);
};
