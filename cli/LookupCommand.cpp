#include "cli/CliContext.h"
#include "cli/CliLookup.h"
#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "cli/MediaTypeNames.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/Book.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "net/lookup/ProductCodes.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const KEY_OPTIONS[] = { "isbn", "barcode", "catalog", "title" };

// The query of the one key option given; false (error set) for none, two,
// or a code whose check digit is wrong.
bool ReadQuery(const CCliArgs& args, int mediaType, CLookupQuery& query, CString& error)
{
    int given = 0;
    for (const char* option : KEY_OPTIONS)
        given += args.Has(option) ? 1 : 0;
    if (given != 1) {
        error = "give one of --isbn, --barcode, --catalog or --title";
        return false;
    }
    query.mediaType = mediaType;
    if (args.Has("isbn")) {
        query.kind = CLookupQuery::ISBN;
        query.text = CProductCodes::Normalize(args.Value("isbn"));
        const CProductCodes::EKind kind = CProductCodes::Classify(query.text);
        if (kind != CProductCodes::ISBN10 && kind != CProductCodes::ISBN13) {
            error = "\"" + args.Value("isbn") + "\" is no ISBN-10 or ISBN-13 (is a digit mistyped?)";
            return false;
        }
    } else if (args.Has("barcode")) {
        query.kind = CLookupQuery::BARCODE;
        query.text = CProductCodes::Normalize(args.Value("barcode"));
        const CProductCodes::EKind kind = CProductCodes::Classify(query.text);
        if (kind != CProductCodes::EAN13 && kind != CProductCodes::UPCA && kind != CProductCodes::ISBN13) {
            error = "\"" + args.Value("barcode") + "\" is no EAN-13 or UPC-A barcode (is a digit mistyped?)";
            return false;
        }
        // A book's barcode is its ISBN-13.
        if (kind == CProductCodes::ISBN13 && CLookupMedia::IsBook(mediaType))
            query.kind = CLookupQuery::ISBN;
    } else {
        query.kind = args.Has("catalog") ? CLookupQuery::CATALOG_NUMBER : CLookupQuery::TITLE;
        query.text = CStringUtils::Trim(args.Value(args.Has("catalog") ? "catalog" : "title"));
        if (query.text.empty()) {
            error = "the text to look up is empty";
            return false;
        }
    }
    return true;
}

// Codes compare by their digits, whatever hyphens were typed.
bool SameCode(const CString& a, const CString& b)
{
    const CString left = CProductCodes::ToISBN13(a).empty() ? CProductCodes::ToEAN13(a) : CProductCodes::ToISBN13(a);
    return !left.empty()
        && left == (CProductCodes::ToISBN13(b).empty() ? CProductCodes::ToEAN13(b) : CProductCodes::ToISBN13(b));
}

// The item of the library that the query names: a book by its ISBN, an
// audio medium by its jacket number, any item by its title.
CMediaItem* FindItem(CLibrary& library, const CLookupQuery& query)
{
    for (POSITION pos = library.GetHeadItem(query.mediaType); pos;) {
        CMediaItem* item = library.GetNextItem(query.mediaType, pos);
        if (query.kind == CLookupQuery::TITLE) {
            if (CStringUtils::EqualsNoCase(item->GetTitle(), query.text))
                return item;
        } else if (const auto* book = dynamic_cast<const CBook*>(item)) {
            if (SameCode(book->GetISBN(), query.text))
                return item;
        } else if (const auto* audio = dynamic_cast<const CAudioTrackMedia*>(item)) {
            if (SameCode(audio->GetJacketNumber(), query.text)
                || (query.kind == CLookupQuery::CATALOG_NUMBER
                    && CStringUtils::EqualsNoCase(audio->GetJacketNumber(), query.text)))
                return item;
        }
    }
    return nullptr;
}

} // namespace

int RunLookup(CCliContext& context, const CCliArgs& args)
{
    const CString command = "lookup";
    const CString name = args.Positional().at(0);
    CString error;
    const int type = CMediaTypeNames::ParseTypeOption(args, error);
    if (type == 0)
        return context.UsageError(command, error);
    CLookupQuery query;
    if (!ReadQuery(args, type, query, error))
        return context.UsageError(command, error);
    int choice = 1;
    if (args.Has("choose") && (!CNumberTextConv::TryParseInt(args.Value("choose"), choice) || choice < 1))
        return context.UsageError(command, "--choose needs a candidate number from 1");
    const bool listOnly = args.Has("list");

    CCliLookup lookup;
    if (!lookup.Configure(args, context.DataDir(), error))
        return context.UsageError(command, error);
    CString why;
    if (!lookup.Service().CanLookUp(query, why))
        return context.Fail(why);

    // The library is opened (and locked) before anything is asked, so that
    // a library that cannot be changed costs no requests.
    CCliSession session(context);
    if (!session.Open(name, listOnly ? CLibrarySession::Access::Read : CLibrarySession::Access::Change))
        return CCliContext::EXIT_FAILED;

    const CLookupResult result = lookup.Service().Search(query);
    for (INT_PTR i = 0; i < result.problems.GetSize(); ++i)
        if (!result.candidates.empty())
            context.Warn(result.problems[i]);
    if (result.candidates.empty())
        return context.Fail(result.Message(query));
    std::ostream& out = context.Out();
    out << "Found for " << query.Describe() << ":\n";
    for (std::size_t i = 0; i < result.candidates.size(); ++i)
        out << "  " << i + 1 << ". " << result.candidates[i].Describe() << '\n';
    if (listOnly)
        return CCliContext::EXIT_OK;
    if (choice > static_cast<int>(result.candidates.size()))
        return context.UsageError(command,
            "--choose " + std::to_string(choice) + ": only " + std::to_string(result.candidates.size())
                + " candidates were found");
    CLookupCandidate candidate = result.candidates[static_cast<std::size_t>(choice - 1)];

    CLibrary& library = session.GetLibrary();
    CMediaItem* item = FindItem(library, query);
    const bool created = item == nullptr;
    if (created) {
        // A new item starts with the code it was looked up by; a failed
        // fill takes it out again.
        item = library.CreateMediaItem(type, nullptr);
        if (!item)
            return context.Fail("The library cannot take a new item of this media type.");
        CMapStringToString key;
        if (query.kind == CLookupQuery::ISBN)
            key[CMediaUtils::MEDIA_PROP_ISBN] = query.text;
        else if (query.kind == CLookupQuery::TITLE)
            key[CMediaUtils::MEDIA_PROP_TITLE] = query.text;
        else
            key[CMediaUtils::MEDIA_PROP_JACKETNUMBER] = query.text;
        item->SetData(key, true);
        lookup.FillOptions().replace = true;
    }
    CString changed;
    if (!lookup.Fill(*item, candidate, changed)) {
        if (created)
            library.DeleteItem(item);
        return context.Fail(changed + " Nothing was changed.");
    }
    if (changed.empty() && !created) {
        out << "Nothing to fill: every field the look-up answered is set already (--replace overwrites).\n";
        return CCliContext::EXIT_OK;
    }
    out << (created ? "New item" : "Filled") << " \"" << item->GetTitle() << "\" from " << candidate.sourceName << ": "
        << changed << '\n';
    if (!session.Get().Save(CLibrarySession::SaveKind::Explicit))
        return session.Fail("Nothing was saved.");
    session.Warn();
    out << "Saved library \"" << session.Get().GetName() << "\".\n";
    return CCliContext::EXIT_OK;
}
