#pragma once
// The online look-up as the tool runs it: the sources and picture folder
// from the command line and the environment, one service for the whole run
// (so that every source's rate limit holds across items), and the fill of
// one item from one candidate.

#include <memory>
#include <vector>

#include "cli/CliArgs.h"
#include "data/lookup/LookupFill.h"
#include "data/lookup/LookupService.h"

class CCliContext;
class CMediaItem;

class CCliLookup {
public:
    // The film source's key, as the tool takes it (never on the command
    // line, where other users could read it).
    static constexpr const char* API_KEY_VARIABLE = "VEMOLIBRARY_OMDB_API_KEY";

    // --sources LIST and --picture-dir DIR (default: Pictures/ in the data
    // directory); false (error set) for an unknown source.
    bool Configure(const CCliArgs& args, const CString& dataDir, CString& error);
    CLookupService& Service() { return *m_service; }
    CLookupFillOptions& FillOptions() { return m_fill; }

    // Completes the candidate, fetches its cover when the item would take
    // it, and fills the item. False (message set, item unchanged) on any
    // failure; otherwise message tells what changed ("" when nothing did).
    bool Fill(CMediaItem& item, CLookupCandidate candidate, CString& message);

private:
    std::unique_ptr<CLookupService> m_service;
    CLookupFillOptions m_fill;
};

// Fills the imported items that carry an ISBN or a barcode from the first
// candidate found, empty fields only, with a progress line per item on the
// error stream. Returns how many items changed.
int LookUpImportedItems(CCliContext& context, CCliLookup& lookup, const std::vector<CMediaItem*>& items);
