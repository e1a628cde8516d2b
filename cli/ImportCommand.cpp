#include <algorithm>
#include <memory>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CliLookup.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/MediaTypeNames.h"
#include "data/model/MediaUtils.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/ImportJob.h"
#include "data/store/Library.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

// Tab for most text files, comma for ".csv" ones.
char DefaultDelimiter(const CString& file)
{
    return CStringUtils::MatchLastChars(file, ".csv", true) ? ',' : '\t';
}

// The column a user names: its heading (ignoring case) or its number from 1;
// -1 when it names none.
int FindColumn(const CImportJob& job, const CString& name)
{
    const int index = job.FindColumn(name);
    if (index >= 0)
        return index;
    int number = 0;
    if (CNumberTextConv::TryParseInt(name, number) && number >= 1 && number <= job.GetColumnCount())
        return number - 1;
    return -1;
}

CString NoColumnError(const CImportJob& job, const CString& column)
{
    return "the file has no column \"" + column + "\" (columns are numbered 1 to "
        + std::to_string(job.GetColumnCount()) + (job.HasHeader() ? ", or named by their headings)" : ")");
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
    const int index = FindColumn(job, column);
    if (index < 0) {
        error = NoColumnError(job, column);
        return false;
    }
    if (!job.SetColumnProperty(index, prop)) {
        const CString refusal = job.GetRefusal(CDelimitedTextReader::FindProperty(prop, nullptr));
        error = refusal.empty() ? "\"" + prop + "\" is neither a data property nor a custom field of this media type"
                                : refusal;
        return false;
    }
    return true;
}

// Whether a column is named by a heading rather than a number.
bool IsHeading(const CString& column)
{
    int number = 0;
    return !column.empty() && !CNumberTextConv::TryParseInt(CStringUtils::Trim(column), number);
}

bool NamesAHeading(const CString& mapping)
{
    const std::size_t equals = mapping.rfind('=');
    return equals != CString::npos && IsHeading(mapping.substr(0, equals));
}

// --type-map "Vinyl=Record Albums,CD=CDs": cell text (lower case, trimmed)
// to media type number.
bool ParseTypeMap(const CString& text, CMapStringToString& types, std::vector<int>& order, CString& error)
{
    CStringArray parts;
    CStringUtils::SplitLine(text, ",", parts);
    for (const CString& part : parts) {
        const std::size_t equals = part.rfind('=');
        const CString cell = equals == CString::npos ? CString() : CStringUtils::Trim(part.substr(0, equals));
        const int type
            = equals == CString::npos ? 0 : CMediaTypeNames::Parse(CStringUtils::Trim(part.substr(equals + 1)));
        if (cell.empty() || type == 0) {
            error = "--type-map needs VALUE=TYPE pairs separated by commas, not \"" + part + "\"; types are "
                + CMediaTypeNames::ListNames();
            return false;
        }
        types.SetAt(CStringUtils::ToLower(cell), std::to_string(type));
        if (std::find(order.begin(), order.end(), type) == order.end())
            order.push_back(type);
    }
    if (order.empty()) {
        error = "--type-map names no media type";
        return false;
    }
    return true;
}

struct CImportPlan {
    CString file;
    char delimiter = ',';
    CString header = "auto";
    std::vector<CString> mappings;
    bool newFields = false;
    CString typeColumn;
    CMapStringToString types;
};

// Reads the file into a job for type and sets its columns as the options
// say. Returns the exit status, CCliContext::EXIT_OK when the job is ready.
int PrepareJob(CCliContext& context, const CString& command, const CImportPlan& plan, CImportJob& job, bool mixed)
{
    CString error;
    if (!job.ReadFile(plan.file, plan.delimiter, error))
        return context.Fail(plan.file + ": " + error + "; nothing was imported.");
    // Columns named by their headings say that the first row holds headings.
    const bool byHeading
        = std::any_of(plan.mappings.begin(), plan.mappings.end(), NamesAHeading) || IsHeading(plan.typeColumn);
    if (plan.header == "no")
        job.TreatFirstRowAsData();
    else if (plan.header == "yes" || (byHeading && !job.HasHeader()))
        job.TreatFirstRowAsHeader();
    for (const CString& mapping : plan.mappings) {
        if (ApplyMapping(job, mapping, error))
            continue;
        // One file of several types: a property one of them lacks is
        // imported into the others.
        if (!mixed)
            return context.UsageError(command, error);
        context.Warn(CMediaUtils::GetMediaNamePlural(job.GetMediaType()) + ": " + error);
    }
    if (plan.newFields) {
        CStringArray made;
        job.AddFieldsForIgnoredColumns(made);
        for (const CString& name : made)
            context.Out() << "New custom field of " << CMediaUtils::GetMediaNamePlural(job.GetMediaType()) << ": "
                          << name << '\n';
    }
    if (!plan.typeColumn.empty()) {
        const int column = FindColumn(job, plan.typeColumn);
        if (column < 0)
            return context.UsageError(command, "--type-column: " + NoColumnError(job, plan.typeColumn));
        job.ChooseRowsByType(column, plan.types);
    }
    return CCliContext::EXIT_OK;
}

void WriteColumns(std::ostream& out, CCliContext& context, const CImportJob& job)
{
    out << "First row: " << (job.HasHeader() ? "headings, not imported" : "data") << '\n';
    out << "Columns:";
    for (int i = 0; i < job.GetColumnCount(); ++i)
        out << (i ? ", " : " ") << i + 1 << ' ' << job.GetColumnProperty(i);
    out << '\n';
    for (const CString& note : job.GetColumnNotes())
        context.Warn(note);
    for (const CString& prop : job.GetForeignProperties())
        context.Warn("items of this media type have no \"" + prop + "\"; that column has no effect");
}

void WriteOutcome(std::ostream& out, const CImportOutcome& outcome)
{
    out << "New items: " << outcome.created << '\n'
        << "Rows that filled in items already in the library: " << outcome.merged << '\n'
        << "Rows that repeated an earlier row: " << outcome.repeated << '\n'
        << "Rows skipped: " << outcome.skipped.size() << '\n';
    for (const CImportOutcome::CSkip& skip : outcome.skipped)
        out << "  row " << skip.rowNumber << ": " << skip.reason << '\n';
    out << "Cells that could not be read (left empty): " << outcome.unread.size() << '\n';
    for (const CImportOutcome::CUnread& cell : outcome.unread)
        out << "  row " << cell.rowNumber << ", column " << cell.column << " (" << cell.property
            << "): " << cell.problem << '\n';
}

// Freeing every imported item would take about as long as the save: they
// are left to the end of the process, while the lock goes now.
void LeaveAtExit(CCliContext& context, CCliSession& session, std::vector<std::unique_ptr<CImportJob>>& jobs)
{
    context.Done(session.Get().CloseKeepingLibrary());
    for (auto& job : jobs)
        context.Done(std::move(job));
}

} // namespace

int RunImport(CCliContext& context, const CCliArgs& args)
{
    const CString command = "import";
    CImportPlan plan;
    const CString name = args.Positional().at(0);
    plan.file = args.Positional().at(1);

    std::vector<int> typeOrder;
    CString error;
    if (args.Has("type-column") != args.Has("type-map"))
        return context.UsageError(command, "--type-column and --type-map go together");
    if (args.Has("type-column")) {
        plan.typeColumn = args.Value("type-column");
        if (!ParseTypeMap(args.Value("type-map"), plan.types, typeOrder, error))
            return context.UsageError(command, error);
    } else {
        const int type = CMediaTypeNames::ParseTypeOption(args, error);
        if (type == 0)
            return context.UsageError(command, error);
        typeOrder.push_back(type);
    }
    plan.delimiter = DefaultDelimiter(plan.file);
    if (args.Has("delimiter") && !CDelimitedTextReader::DelimiterFromName(args.Value("delimiter"), plan.delimiter))
        return context.UsageError(command,
            "unknown delimiter \"" + args.Value("delimiter") + "\"; use tab, comma, period, dash, space or semicolon");
    plan.header = args.Has("no-header") ? CString("no") : CStringUtils::ToLower(args.Value("header", "auto"));
    if (plan.header != "yes" && plan.header != "no" && plan.header != "auto")
        return context.UsageError(command, "--header takes yes, no or auto, not \"" + args.Value("header") + "\"");
    plan.mappings = args.Values("map");
    plan.newFields = args.Has("new-fields");
    const bool dryRun = args.Has("dry-run");

    CCliSession session(context);
    // A dry run changes nothing, so it needs no lock and converts no file.
    if (!session.Open(name, dryRun ? CLibrarySession::Access::Read : CLibrarySession::Access::Change))
        return CCliContext::EXIT_FAILED;

    CCliLookup lookup;
    if (args.Has("lookup") && !lookup.Configure(args, context.DataDir(), error))
        return context.UsageError(command, error);
    const bool mixed = !plan.typeColumn.empty();
    std::vector<std::unique_ptr<CImportJob>> jobs;
    for (int type : typeOrder) {
        auto job = std::make_unique<CImportJob>(session.GetLibrary(), type);
        // Nothing is saved after a dry run or a failure, and each job runs once.
        job->SetDiscardedUnlessSaved(true);
        job->SetRunOnce(true);
        job->SetKeepItems(args.Has("lookup"));
        if (const int status = PrepareJob(context, command, plan, *job, mixed); status != CCliContext::EXIT_OK)
            return status;
        jobs.push_back(std::move(job));
    }

    std::ostream& out = context.Out();
    bool changed = false;
    // Rows of one file of several types go to their jobs in turn; nothing
    // is saved unless every job succeeds.
    for (const auto& job : jobs) {
        if (mixed)
            out << CMediaUtils::GetMediaNamePlural(job->GetMediaType()) << ":\n";
        WriteColumns(out, context, *job);
        if (job->IsAllIgnored())
            return context.Fail(CImportJob::ALL_IGNORED_ERROR
                + " Name the columns with --map COLUMN=PROPERTY, or start the file with a row of property names.");
        const CImportOutcome outcome = job->Run(dryRun);
        if (!outcome.Succeeded())
            return context.Fail(outcome.error + (mixed && changed ? " Nothing was saved." : ""));
        if (dryRun)
            out << "Dry run, nothing will be saved:\n";
        WriteOutcome(out, outcome);
        changed = changed || outcome.created + outcome.merged + outcome.repeated > 0;
    }

    if (dryRun) {
        if (args.Has("lookup"))
            out << "The online look-up is not done in a dry run.\n";
        LeaveAtExit(context, session, jobs);
        return CCliContext::EXIT_OK;
    }
    if (args.Has("lookup")) {
        std::vector<CMediaItem*> imported;
        for (const auto& job : jobs)
            imported.insert(imported.end(), job->GetItems().begin(), job->GetItems().end());
        out << "Items filled from the online look-up: " << LookUpImportedItems(context, lookup, imported) << '\n';
    }
    if (!changed && !plan.newFields) {
        out << "Nothing to save.\n";
        return CCliContext::EXIT_OK;
    }
    if (!session.Get().Save(CLibrarySession::SaveKind::Explicit))
        return session.Fail("Nothing was saved.");
    session.Warn();
    out << "Saved library \"" << session.Get().GetName() << "\".\n";
    LeaveAtExit(context, session, jobs);
    return CCliContext::EXIT_OK;
}
