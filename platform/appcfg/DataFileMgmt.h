#pragma once
// Archive copies of the data files in a data directory D, and copying,
// renaming and deleting those files. Data files are named relative to D
// ("My Library.vly"); their archives live in D + "Archives/" as base name +
// a six-digit sequence number + "." + extension ("My Library000012.vly"),
// a higher number being a newer copy. Every operation returns false when any
// part of it failed; names holding a "/", and "." or "..", are refused.

#include <cstdint>
#include <vector>

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CDataFileMgmt {
public:
    static constexpr int SEQUENCE_DIGITS = 6;
    static constexpr int MAX_SEQUENCE = 999999;

    CDataFileMgmt() = default;
    CDataFileMgmt(const CString& dataDir, int archiveCount) { Configure(dataDir, archiveCount); }

    // archiveCount is the number of copies kept per data file (at least 1).
    void Configure(const CString& dataDir, int archiveCount);
    const CString& GetDataDir() const { return m_dataDir; }
    CString GetArchiveDir() const { return m_dataDir + "Archives/"; }
    int GetArchiveLimit() const { return m_archiveCount; }

    // Copies D + file to a new archive with the next sequence number; with
    // prune, the oldest archives beyond the limit are removed afterwards.
    // A missing or empty file is not archived (an empty copy would only
    // push out real ones) and gives false. archiveFile receives the new
    // archive's file name. Leftovers of archive copies killed mid-write
    // are removed first.
    bool BackupDataFile(const CString& file, bool prune = true, CString* archiveFile = nullptr);
    // Removes the oldest archives of file beyond the limit.
    bool PruneArchives(const CString& file);
    // Removes one archive (a file name in the archive folder, or its path).
    bool DiscardArchive(const CString& archive);

    // Archives of the data files named name (any extension).
    int GetArchivesCount(const CString& name) const;
    // Archive files (names, not paths) of every data file with extension
    // ext: ordered by title, the newest first within a title. name is the
    // loaded library, which the list does not treat specially.
    bool HaveRestoreCandidates(const CString& name, const CString& ext) const;
    void GetRestoreCandidates(const CString& name, const CString& ext, CStringList& list) const;

    // The data file name an archive belongs to, without extension ("" when
    // file is not an archive name); file may be a name or a path.
    static CString GetDataFileTitle(const CString& file);
    // The archive's sequence number without leading zeros ("12").
    static CString GetArchiveSequenceText(const CString& file);
    static bool IsArchiveFileMatch(const CString& name, const CString& file);

    CString GetArchivePath(const CString& archiveFile) const { return GetArchiveDir() + archiveFile; }
    COleDateTime GetArchiveTime(const CString& archive) const; // invalid when missing
    // How long ago the archive was made ("3 days ago").
    CString GetArchiveAgeText(const CString& archive, const COleDateTime& now) const;
    std::int64_t GetArchiveSize(const CString& archive) const; // -1 when missing
    // "512 bytes", "1.5 KB", "2.3 MB" (units of 1024); "" for a negative count.
    static CString FormatByteCount(std::int64_t bytes);

    // Replaces D + name + "." + ext by the archive, after archiving the
    // current file (if any); on failure the current file stays as it was.
    bool RestoreDataFile(const CString& archive, const CString& name, const CString& ext);
    // Fails when from is missing or to exists.
    bool CopyDataFile(const CString& from, const CString& to);
    // Renames the data file and all its archives, or nothing: a failure
    // part-way puts back the names already changed. Archives of to that are
    // already there (left by a deleted data file) are kept, and the renamed
    // ones are numbered after them.
    bool RenameDataFile(const CString& from, const CString& to);
    // True when the data file (and, when asked, every archive of it) is
    // gone afterwards.
    bool DeleteDataFile(const CString& file, bool deleteArchives);

private:
    struct ArchiveEntry {
        int sequence;
        CString fileName;
    };

    static bool IsSafeName(const CString& name);
    static void SplitFileName(const CString& file, CString& name, CString& ext);
    // Splits an archive file name; false when it is not one.
    static bool ParseArchiveName(const CString& fileName, CString& title, CString& ext, int& sequence);
    static CString ArchiveName(const CString& name, const CString& ext, int sequence);
    // The archives of one data file, oldest first.
    std::vector<ArchiveEntry> ListArchives(const CString& name, const CString& ext) const;
    // Resolves a name or path inside the archive folder; false otherwise.
    bool ResolveArchive(const CString& archive, CString& fileName) const;
    // Numbers the archives of a data file 1..n again, when the numbers ran out.
    bool Renumber(const CString& name, const CString& ext);
    static bool RenameNoReplace(const CString& from, const CString& to);

    CString m_dataDir;
    int m_archiveCount = 10;
};
