#include "cli/CliLookup.h"

#include <algorithm>
#include <cstdlib>

#include "cli/CliContext.h"
#include "data/model/MediaItem.h"

bool CCliLookup::Configure(const CCliArgs& args, const CString& dataDir, CString& error)
{
    CLookupOptions options;
    if (args.Has("sources") && !CLookupOptions::ParseSourceList(args.Value("sources"), options.sources, error))
        return false;
    if (const char* key = std::getenv(API_KEY_VARIABLE))
        options.filmApiKey = key;
    m_service = std::make_unique<CLookupService>(options);
    m_fill.replace = args.Has("replace");
    m_fill.pictureDir = args.Value("picture-dir", dataDir + "Pictures/");
    return true;
}

bool CCliLookup::Fill(CMediaItem& item, CLookupCandidate candidate, CString& message)
{
    CCoverImage cover;
    if (!m_service->Prepare(candidate, CLookupFill::WantsCover(item, m_fill), cover, message))
        return false;
    CLookupChange change;
    if (!CLookupFill::Apply(item, candidate, cover, m_fill, change, message))
        return false;
    message.clear();
    const CStringArray changed = change.ChangedProperties();
    for (INT_PTR i = 0; i < changed.GetSize(); ++i)
        message += (i ? ", " : "") + changed[i];
    if (change.tracksChanged)
        message += CString(message.empty() ? "" : ", ") + std::to_string(change.tracksAdded) + " tracks";
    return true;
}

int LookUpImportedItems(CCliContext& context, CCliLookup& lookup, const std::vector<CMediaItem*>& items)
{
    std::vector<std::pair<CMediaItem*, CLookupQuery>> work;
    for (CMediaItem* item : items) {
        CLookupQuery query;
        if (CLookupQuery::FromItem(*item, query))
            work.emplace_back(item, query);
    }
    int filled = 0;
    int done = 0;
    for (auto& [item, query] : work) {
        context.Err() << "Looking up " << ++done << " of " << work.size() << ": " << query.Describe() << '\n';
        CString why;
        if (!lookup.Service().CanLookUp(query, why)) {
            context.Warn(why);
            continue;
        }
        const CLookupResult result = lookup.Service().Search(query);
        if (result.candidates.empty()) {
            context.Warn(result.Message(query));
            continue;
        }
        CString message;
        if (!lookup.Fill(*item, result.candidates.front(), message))
            context.Warn(message);
        else if (!message.empty())
            ++filled;
    }
    context.Err().flush();
    return filled;
}
