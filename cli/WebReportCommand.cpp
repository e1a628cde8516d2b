#include <memory>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/WebReportIndex.h"
#include "data/store/Library.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// Progress of one report on the error stream: the number of items once
// known, then every tenth part, then the end.
CProgressCallback ProgressTo(std::ostream& err, const CString& name)
{
    auto total = std::make_shared<long long>(0);
    return [&err, name, total](unsigned int /*message*/, long long phase, long long value) {
        switch (phase) {
        case 1:
            *total = value;
            err << name << ": " << value << " items\n";
            break;
        case 2:
            if (*total >= 10 && (value + 1) % (*total / 10) == 0)
                err << name << ": " << (value + 1) * 100 / *total << "%\n";
            break;
        case 3:
            err << name << ": done\n";
            break;
        default:
            break;
        }
    };
}

// Whether any media type the report selects holds an item.
bool HaveItems(CLibrary& library, const CCustomWebReport& report)
{
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        if (report.GetMediaIDs().GetShow(type) && library.GetItemCount(type) > 0)
            return true;
    return false;
}

} // namespace

int RunWebReport(CCliContext& context, const CCliArgs& args)
{
    const CString command = "webreport";
    const bool all = args.Has("all");
    if (all == (args.Positional().size() == 2))
        return context.UsageError(command, "name one web report, or give --all");
    CString error;
    if (!context.PrepareDataDir(error))
        return context.Fail(error);

    CCliSession session(context);
    if (!session.Open(args.Positional().at(0), CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    CLibrary& library = session.GetLibrary();

    std::vector<std::unique_ptr<CCustomWebReport>> reports;
    for (int i = 0; i < library.GetCustomWebReportCount(); ++i) {
        const CCustomWebReport* report = library.GetCustomWebReportAt(i);
        if (report && (all || CStringUtils::EqualsNoCase(report->GetName(), args.Positional().at(1))))
            reports.push_back(std::make_unique<CCustomWebReport>(*report));
    }
    if (reports.empty())
        return all ? context.Fail("The library has no web reports.")
                   : context.Fail("The library has no web report \"" + args.Positional().at(1) + "\".");

    const CString output = args.Value("output");
    if (!output.empty() && !CDirUtils::DoesDirExist(output) && !CDirUtils::CreateDir(output))
        return context.Fail("Cannot create the folder " + output);

    int failures = 0;
    for (auto& report : reports) {
        // Of all reports, those about media the collection lacks have nothing
        // to show; that is no failure.
        if (all && !HaveItems(library, *report)) {
            context.Err() << report->GetName() << ": skipped, no items of its media types\n";
            continue;
        }
        if (!output.empty()) {
            // The pages go to the other folder under the same first page name.
            CString page = CFileUtils::ParseFileNameFromPath(report->GetHomePage(), true);
            if (page.empty())
                page = CFileUtils::ReplaceBadFileChars(report->GetName()) + ".htm";
            report->SetHomePage(CDirUtils::WithTrailingSeparator(output) + page, false);
        }
        library.RunCustomWebReport(report.get(), ProgressTo(context.Err(), report->GetName()));
        if (!report->GetRunErrorMsg().empty()) {
            ++failures;
            context.Fail(report->GetName() + ": " + report->GetRunErrorMsg());
        } else {
            context.Out() << report->GetName() << ": " << report->GetHomePage() << '\n';
            if (!CWebReportIndex::RecordRun(library, *report, &error))
                context.Warn("the index of the web reports was not written: " + error);
        }
    }
    return failures ? CCliContext::EXIT_FAILED : CCliContext::EXIT_OK;
}
