#pragma once
// File helpers. Every routine reports failure through its result (and an
// optional error text); none throws.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CFileUtils {
public:
    static bool DoesFileExist(const CString& path); // a regular file
    static std::int64_t GetFileSize(const CString& path); // -1 when missing
    static bool IsFileEmpty(const CString& path); // missing counts as empty
    static bool IsFileWritable(const CString& path);
    static bool MakeFileWritable(const CString& path);
    static COleDateTime GetModificationTime(const CString& path); // invalid when missing

    // Largest file read whole: a library is far smaller, and anything
    // larger (or a device that never ends) could not be held in memory.
    static constexpr std::int64_t MAX_READ_BYTES = std::int64_t(2) << 30;
    // Whole-file bytes of a regular file (a link is followed) of at most
    // MAX_READ_BYTES. A folder, device, FIFO or larger file is refused
    // before anything is allocated, with an error saying so; running out
    // of memory is a failure too, never an exception.
    static bool ReadFileBytes(const CString& path, std::string& bytes, CString* error = nullptr);
    // The same checks without reading: a descriptor (the caller closes it)
    // and the file's size, or -1 with the error.
    static int OpenForReading(const CString& path, std::int64_t& size, CString* error = nullptr);
    // The one way files are written: a temporary file in the same folder,
    // written, flushed and fsync'ed, renamed over path, then the folder is
    // fsync'ed. A failure at any step removes the temporary file and leaves
    // the previous file at path byte for byte as it was. When path is a
    // symbolic link, the file it points to is replaced (the temporary file
    // is made beside it), so the link stays a link; a path that names
    // something other than a regular file is refused. Leftovers of earlier
    // saves of the same file that were killed mid-write are removed first.
    static bool WriteFileAtomic(const CString& path, std::string_view bytes, CString* error = nullptr);
    // The same for a file that may hold secrets (settings with a service's
    // key): a new file is made 0600, and a replaced one keeps only its
    // owner's permissions.
    static bool WriteOwnerOnlyFileAtomic(const CString& path, std::string_view bytes, CString* error = nullptr);
    // Temporary files are named "." + the target's name (cut so that the
    // whole name fits 255 bytes) + ".vemo-tmp-" + the writer's process id +
    // "-" + 8 random hex digits. Leading dots keep them out of every list of
    // libraries, and no name a library file can have ends like that. The
    // writer holds a lock (flock) on its temporary file until it is renamed
    // or removed, so a file whose lock can be taken is a leftover of a
    // killed save, whatever process id it names.
    // TempFilePrefix is the start of those names for path, as given.
    static CString TempFilePrefix(const CString& path);
    // Removes the leftovers beside path (beside the file a link at path
    // points to); returns how many were removed. Only files of the form
    // above, owned by this user and not locked, are touched.
    static int RemoveStaleTempFiles(const CString& path);
    // The same for every target in one folder (archive copies, whose names
    // are not known beforehand).
    static int RemoveStaleTempFilesIn(const CString& folder);

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
    // leaves any previous file at to whole. A link at to is replaced by the
    // copy, not followed.
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

// WriteFileAtomic for bytes that come in pieces, so that a large file need
// not be held whole in memory: Open, Write as often as needed, Commit. The
// same steps and guarantees: until Commit succeeds the file at path is as it
// was, and a writer that fails or goes before Commit removes its temporary
// file. After a failure every further step fails.
class CAtomicFileWriter {
public:
    CAtomicFileWriter();
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // ownerOnly: as WriteOwnerOnlyFileAtomic.
    bool Open(const CString& path, CString* error = nullptr, bool ownerOnly = false);
    bool Write(std::string_view bytes, CString* error = nullptr);
    bool Commit(CString* error = nullptr);

private:
    struct CState;
    std::unique_ptr<CState> m_state;
};
