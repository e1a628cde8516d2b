#pragma once
// The library ID window's working copies of the numbering settings of one
// media type, or for video tapes of each of the ten tape formats, with the
// one-shot options (renumber, reformat, clear) and the preview of the ID
// the next new item gets. Apply writes the settings into the library and
// runs the one-shot options on the items.

#include <vector>

#include "data/store/LibraryIDSettings.h"
#include "platform/util/VemoTypes.h"

class CLibrary;

class CLibraryIDFormatEditor {
public:
    // mediaType 1..24; for video tapes the targets are the formats 116..125.
    CLibraryIDFormatEditor(const CLibrary& library, int mediaType);

    int GetMediaType() const { return m_mediaType; }
    // The ids numbered separately: the media type, or the tape formats.
    int GetTargetCount() const { return static_cast<int>(m_targets.size()); }
    int GetTargetID(int index) const { return m_targets.at(static_cast<std::size_t>(index)).id; }
    // "Books"; a tape format's name for 116..125.
    static CString GetTargetName(int id);
    // The working settings of a target, for changing; null for another id.
    CLibraryIDSettings* GetSettings(int id);
    const CLibraryIDSettings* GetSettings(int id) const;
    // Items the target numbers.
    int GetItemCount(int id) const;

    // The ID a new item would get once the settings as they stand are
    // applied (after renumbering: the item count plus 1; after clearing
    // without renumbering: 1); "" when new items are not numbered
    // automatically.
    CString PreviewNextID(int id) const;

    // Stored settings changed, or a one-shot option set, for any target.
    bool IsChanged() const;
    // Writes every changed target's settings into the library and runs
    // its one-shot options. touchedIDs receives the targets whose format
    // changed or whose items were renumbered, reformatted or cleared;
    // itemsChanged tells whether any item's ID may have changed.
    void Apply(CLibrary& library, std::vector<int>& touchedIDs, bool& itemsChanged) const;

private:
    struct CTarget {
        int id = 0;
        CLibraryIDSettings stored;
        CLibraryIDSettings working;
        int highest = 0; // highest number among the IDs now
        int items = 0;
    };

    const CTarget* Find(int id) const;
    static bool HasOneShot(const CLibraryIDSettings& settings);

    int m_mediaType;
    std::vector<CTarget> m_targets;
};
