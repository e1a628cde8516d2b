#include "cli/CliContext.h"
#include "cli/CliLookup.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/MediaTypeNames.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/ImportJob.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

// Tab for most text files, comma for ".csv" ones.
char DefaultDelimiter(const CString& file)
{
    return CStringUtils::MatchLastChars(file, ".csv", true) ? ',' : '\t';
}

// Applies one --map COLUMN=PROPERTY; error says what is wrong.
bool ApplyMapping(CImportJob& job, const CString& mapping, CString& error)
{
    const std::size_t equals = mapping.rfind('=');
    if (equals == CString::npos || equals == 0) {
        error = "--map needs COLUMN=PROPERTY, not \"" + mapping + "\"";
        return false;
    }
    const CString column = CStringUtils::Trim(mapping.substr(0, equals));
    const CString prop = mapping.substr(equals + 1);
    int index = job.FindColumn(column);
    int number = 0;
    if (index < 0 && CNumberTextConv::TryParseInt(column, number))
        index = number - 1;
    if (index < 0 || index >= job.GetColumnCount()) {
        error = "the file has no column \"" + column + "\" (columns are numbered 1 to "
            + std::to_string(job.GetColumnCount()) + ")";
        return false;
    }
    if (!job.SetColumnProperty(index, prop)) {
        error = "\"" + prop + "\" is neither a data property nor a custom field of this media type";
        return false;
    }
    return true;
}

} // namespace

int RunImport(CCliContext& context, const CCliArgs& args)
{
    const CString command = "import";
    const CString name = args.Positional().at(0);
    const CString file = args.Positional().at(1);
    CString error;
    const int type = CMediaTypeNames::ParseTypeOption(args, error);
    if (type == 0)
        return context.UsageError(command, error);
    char delimiter = DefaultDelimiter(file);
    if (args.Has("delimiter") && !CDelimitedTextReader::DelimiterFromName(args.Value("delimiter"), delimiter))
        return context.UsageError(
            command, "unknown delimiter \"" + args.Value("delimiter") + "\"; use tab, comma, period, dash or space");
    const bool dryRun = args.Has("dry-run");

    CCliSession session(context);
    // A dry run changes nothing, so it needs no lock and converts no file.
    if (!session.Open(name, dryRun ? CLibrarySession::Access::Read : CLibrarySession::Access::Change))
        return CCliContext::EXIT_FAILED;

    CCliLookup lookup;
    if (args.Has("lookup") && !lookup.Configure(args, context.DataDir(), error))
        return context.UsageError(command, error);
    CCollectingImportJob job(session.GetLibrary(), type);
    if (!job.ReadFile(file, delimiter, error))
        return context.Fail(file + ": " + error + "; nothing was imported.");
    if (args.Has("no-header"))
        job.TreatFirstRowAsData();
    for (const CString& mapping : args.Values("map"))
        if (!ApplyMapping(job, mapping, error))
            return context.UsageError(command, error);

    std::ostream& out = context.Out();
    out << "Columns:";
    for (int i = 0; i < job.GetColumnCount(); ++i)
        out << (i ? ", " : " ") << i + 1 << ' ' << job.GetColumnProperty(i);
    out << '\n';
    for (const CString& prop : job.GetForeignProperties())
        context.Warn("items of this media type have no \"" + prop + "\"; that column has no effect");

    if (job.IsAllIgnored())
        return context.Fail(CImportJob::ALL_IGNORED_ERROR
            + " Name the columns with --map COLUMN=PROPERTY, or start the file with a row of property names.");

    const CImportOutcome outcome = job.Run(dryRun);
    if (!outcome.Succeeded())
        return context.Fail(outcome.error);
    if (dryRun)
        out << "Dry run, nothing will be saved:\n";
    out << "New items: " << outcome.created << '\n'
        << "Rows that filled in items already in the library: " << outcome.merged << '\n'
        << "Rows that repeated an earlier row: " << outcome.repeated << '\n'
        << "Rows skipped: " << outcome.skipped.size() << '\n';
    for (const CImportOutcome::CSkip& skip : outcome.skipped)
        out << "  row " << skip.rowNumber << ": " << skip.reason << '\n';

    if (dryRun) {
        if (args.Has("lookup"))
            out << "The online look-up is not done in a dry run.\n";
        return CCliContext::EXIT_OK;
    }
    if (args.Has("lookup"))
        out << "Items filled from the online look-up: " << LookUpImportedItems(context, lookup, job.GetItems()) << '\n';
    if (outcome.created + outcome.merged + outcome.repeated == 0) {
        out << "Nothing to save.\n";
        return CCliContext::EXIT_OK;
    }
    if (!session.Get().Save(CLibrarySession::SaveKind::Explicit))
        return session.Fail("Nothing was saved.");
    session.Warn();
    out << "Saved library \"" << session.Get().GetName() << "\".\n";
    return CCliContext::EXIT_OK;
}
