#pragma once
// Writes the pages of one web report run without losing what was there: each
// page goes to a temporary file in the output folder, and Commit makes all
// of them durable with one flush of the file system before it renames each
// over its page. A page that fails keeps its previous file whole. (One flush
// per run instead of one per page: a run writes thousands of pages.)

#include <vector>

#include "platform/util/VemoTypes.h"

class CPageWriter {
public:
    // tag tells this report's temporary files apart from any other's.
    CPageWriter(const CString& folder, const CString& tag);
    // Removes the temporary files of pages not committed.
    ~CPageWriter();
    CPageWriter(const CPageWriter&) = delete;
    CPageWriter& operator=(const CPageWriter&) = delete;

    // Removes temporary files an interrupted run of this report left behind.
    void RemoveLeftovers() const;
    // Writes the text beside the page name; false when the temporary file
    // cannot be written.
    bool Write(const CString& name, const CString& text);
    // Puts every written page in place; the names that could not be are
    // added to failed. False when any failed.
    bool Commit(CStringList& failed);

private:
    struct CPending {
        CString temp;
        CString name;
    };
    CString TempPrefix() const;

    CString m_folder;
    CString m_tag;
    unsigned m_counter = 0;
    std::vector<CPending> m_pending;
};
