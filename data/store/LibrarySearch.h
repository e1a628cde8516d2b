#pragma once
// Text search over a library: every word (ignoring case) must occur in the
// text properties of an item, or in the properties the caller chose, of the
// selected media types; media items and their sub-items each answer for
// themselves.
//
// Searches over all text properties use an index per media type: the folded
// texts of all items in one buffer and of all sub-items in another, so that
// a word is looked for once per buffer rather than once per item. The index
// is made on the first search and kept until items are reported changed
// (Forget): a changed item's texts are made again on its own, and the index
// is made anew only after many changes.
//
// The indexes can also be made ahead on a worker thread (StartBuilding), in
// short steps taken only while the owner thread does not hold the read gate;
// a search that comes before the index it needs is ready finishes it itself.

#include <array>
#include <atomic>
#include <memory>
#include <thread>
#include <unordered_set>
#include <vector>

#include "data/store/Library.h"
#include "platform/util/VemoTypes.h"

class CItem;
class CItemList;
class CLibraryImpl;
class CMediaItem;
class CMediaMgr;
class CMediaSubItem;
class CMediaTypeSelection;
class CReadGate;

class CLibrarySearch {
public:
    explicit CLibrarySearch(const CLibraryImpl& library);
    ~CLibrarySearch();
    CLibrarySearch(const CLibrarySearch&) = delete;
    CLibrarySearch& operator=(const CLibrarySearch&) = delete;

    // Appends the matching items: per selected type in id order, each media
    // item in list order followed by its matching sub-items. No words, no
    // results.
    void Search(const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results);
    // Makes the index of one media type that has none (or a worn-out one),
    // so that idle time can spare the first search the wait; false when
    // every index is ready.
    bool PrepareNext();
    // Makes every missing index on a worker thread. While it runs, the
    // owner thread changes the library (and calls this class) only while it
    // holds gate, which outlives the worker; this class's own calls hold it
    // themselves. Nothing when a worker runs already.
    void StartBuilding(CReadGate& gate);
    // Stops the worker and waits for it; the indexes it finished are kept.
    void StopBuilding();
    // A worker is still making indexes.
    bool IsBuilding() const { return m_working.load(); }

    // Drops what is kept of an item (of a sub-item: of its medium), or of all.
    void Forget(const CItem* item);
    void ForgetAll();

    // The distinct words of a search text, folded to lower case; split at
    // blanks, tabs and line breaks.
    static std::vector<CString> SplitWords(const CString& text);

    // The folded texts a search over all text properties looks in: the
    // values of the item's (or sub-item's own) text properties and of its
    // text custom fields, each ended by a line break. data is a map of the
    // type's text properties, reused between calls.
    static CString MediaItemText(const CMediaItem& item, CMapStringToString& data);
    static CString SubItemText(const CMediaSubItem& sub, CMapStringToString& data);

private:
    class CTypeIndex;

    // The index the worker is making: the type's items as they were when
    // it began, how many of them are in, and the items forgotten since.
    struct CBuild {
        int type = 0;
        std::unique_ptr<CTypeIndex> index;
        std::vector<const CMediaItem*> items;
        std::size_t next = 0;
        std::uint64_t stamp = 0;
        std::unordered_set<const CMediaItem*> forgotten;
    };

    // Adds up to budget items to the index being made, beginning the next
    // missing one first; false when every index is ready.
    bool BuildSome(std::size_t budget);
    bool BeginBuild();
    // The gate while a worker runs (the caller keeps it that long); null
    // once the worker is done.
    CReadGate* ActiveGate() const { return m_working.load() ? m_gate : nullptr; }
    // The index of type made whole now, by the caller.
    CTypeIndex& ReadyIndex(int type, const CMediaMgr& mgr);

    void SearchChosen(const CTextSearchOptions& options, const std::vector<CString>& words, const CMediaMgr& mgr,
        CItemList& results) const;

    const CLibraryImpl& m_library;
    std::array<std::unique_ptr<CTypeIndex>, 25> m_indexes;
    CBuild m_build;
    CReadGate* m_gate = nullptr;
    std::thread m_worker;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_working { false };
};
