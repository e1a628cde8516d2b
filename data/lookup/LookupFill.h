#pragma once
// Fills an item from a chosen look-up candidate, the way an import fills
// it: by default only fields that are still empty, every field the service
// answered with "replace". A music release brings its track list; the
// cover is saved into the picture folder and becomes the item's picture.
// What a fill changed is kept, so that it can be undone in one step.

#include <memory>
#include <vector>

#include "data/lookup/LookupTypes.h"
#include "data/model/MediaSubItem.h"

class CMediaItem;

struct CLookupFillOptions {
    bool replace = false;
    CString pictureDir; // where covers are saved; made when missing
};

// What one fill did to an item.
struct CLookupChange {
    // The properties that changed, with their texts before and after.
    CMapStringToString before;
    CMapStringToString after;
    // The sub-items the item had when its track list was replaced or
    // filled (copies, without parent); tracksChanged tells whether it was.
    std::vector<std::unique_ptr<CMediaSubItem>> oldSubItems;
    bool tracksChanged = false;
    int tracksAdded = 0;
    CString coverFile; // the picture written for this fill, "" when none

    bool IsEmpty() const { return before.IsEmpty() && !tracksChanged; }
    // The names of the changed properties, in name order.
    CStringArray ChangedProperties() const;
};

class CLookupFill {
public:
    // Whether a fill would set the item's picture: it can have one, and
    // has none yet or replace is on.
    static bool WantsCover(const CMediaItem& item, const CLookupFillOptions& options);
    // Fills the item. A cover that is wanted and not empty is written into
    // the picture folder first (atomically, under a safe name); when that
    // fails the item is left as it was and error says why.
    static bool Apply(CMediaItem& item, const CLookupCandidate& candidate, const CCoverImage& cover,
        const CLookupFillOptions& options, CLookupChange& change, CString& error);
    // Puts back what the fill changed. The cover file stays on disk (a
    // redo uses it again).
    static void Undo(CMediaItem& item, const CLookupChange& change);

    // "<title> (<service id>).<extension>", safe as a file name.
    static CString CoverFileName(const CLookupCandidate& candidate, const CString& extension);
    // Every data property of the item with its text.
    static CMapStringToString AllData(const CMediaItem& item);
};
