#include <memory>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/CsvWriter.h"
#include "cli/MediaTypeNames.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/Library.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// A copy of the report named name (ignoring case), or else of the basic
// report of the media type name names; null when there is neither.
std::unique_ptr<CCustomPrintReport> FindReport(CLibrary& library, const CString& name, bool& basic)
{
    basic = false;
    for (int i = 0; i < library.GetCustomPrintReportCount(); ++i)
        if (const CCustomPrintReport* report = library.GetCustomPrintReportAt(i);
            report && CStringUtils::EqualsNoCase(report->GetName(), name))
            return std::make_unique<CCustomPrintReport>(*report);
    const int type = CMediaTypeNames::Parse(name);
    if (const CCustomPrintReport* report = type ? library.GetCustomBasicReport(type) : nullptr) {
        basic = true;
        return std::make_unique<CCustomPrintReport>(*report);
    }
    return nullptr;
}

CString ReportNames(CLibrary& library)
{
    CString names;
    for (int i = 0; i < library.GetCustomPrintReportCount(); ++i)
        if (const CCustomPrintReport* report = library.GetCustomPrintReportAt(i))
            names += (names.empty() ? "\"" : ", \"") + report->GetName() + "\"";
    return names.empty() ? CString("none") : names;
}

} // namespace

int RunReport(CCliContext& context, const CCliArgs& args)
{
    CCliSession session(context);
    if (!session.Open(args.Positional().at(0), CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    CLibrary& library = session.GetLibrary();

    const CString name = args.Positional().at(1);
    bool basic = false;
    std::unique_ptr<CCustomPrintReport> report = FindReport(library, name, basic);
    if (!report)
        return context.Fail("The library has no printed report \"" + name + "\" and no media type of that name. "
            + "Its printed reports: " + ReportNames(library) + ".");
    // A basic report that was never set up shows every category and the
    // type's default columns.
    const bool allCategories = basic && report->GetCategoryCount() == 0;
    const bool defaultColumns = basic && report->GetColumnCount() == 0;
    library.PrepCustomPrintReport(report.get(), allCategories, defaultColumns, false, true);
    if (!report->GetRunErrorMsg().empty())
        return context.Fail(report->GetName() + ": " + report->GetRunErrorMsg());

    CStringArray columns;
    for (int i = 0; i < report->GetColumnCount(); ++i)
        columns.Add(report->GetColumnAt(i));
    CString csv = CCsvWriter::Line(columns);
    CMapStringToString values;
    for (POSITION pos = report->GetHeadItem(); pos;) {
        CItem* item = report->GetNextItem(pos);
        library.GatherCustomPrintReportData(report.get(), item, values);
        CStringArray cells;
        for (const CString& column : columns) {
            CString text;
            values.Lookup(column, text);
            CCustomReport::AdjustText(column, text);
            cells.Add(text);
        }
        csv += CCsvWriter::Line(cells);
    }

    // Some spreadsheet programs take a file for UTF-8 only when it starts
    // with a byte-order mark.
    if (args.Has("bom"))
        csv.insert(0, "\xEF\xBB\xBF");
    if (!args.Has("csv")) {
        context.Out() << csv;
        return CCliContext::EXIT_OK;
    }
    const CString path = args.Value("csv");
    CString error;
    if (!CFileUtils::WriteFileAtomic(path, csv, &error))
        return context.Fail(path + ": " + error);
    context.Out() << "Wrote " << report->GetItemCount() << " rows of \"" << report->GetName() << "\" to " << path
                  << '\n';
    return CCliContext::EXIT_OK;
}
