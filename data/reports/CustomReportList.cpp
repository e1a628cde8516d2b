#include "data/reports/CustomReportList.h"

#include <algorithm>

#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportEditor.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "platform/util/CountText.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

bool Contains(const std::vector<CString>& names, const CString& name)
{
    return std::any_of(
        names.begin(), names.end(), [&](const CString& other) { return CStringUtils::EqualsNoCase(other, name); });
}

} // namespace

std::vector<CString> CCustomReportList::GetPrintReportNames(const CLibrary& library)
{
    std::vector<CString> names;
    for (int i = 0; i < library.GetCustomPrintReportCount(); ++i)
        if (const CCustomPrintReport* report = library.GetCustomPrintReportAt(i))
            names.push_back(report->GetName());
    return names;
}

std::vector<CString> CCustomReportList::GetWebReportNames(const CLibrary& library)
{
    std::vector<CString> names;
    for (int i = 0; i < library.GetCustomWebReportCount(); ++i)
        if (const CCustomWebReport* report = library.GetCustomWebReportAt(i))
            names.push_back(report->GetName());
    return names;
}

std::vector<CString> CCustomReportList::GetWebReportHomePages(const CLibrary& library)
{
    std::vector<CString> pages;
    for (int i = 0; i < library.GetCustomWebReportCount(); ++i)
        if (const CCustomWebReport* report = library.GetCustomWebReportAt(i))
            pages.push_back(report->GetHomePage());
    return pages;
}

CString CCustomReportList::MakeCopyName(const CString& name, const std::vector<CString>& taken)
{
    CString copy = "Copy of " + name;
    for (int n = 2; Contains(taken, copy); ++n)
        copy = CStringUtils::Format("Copy (%d) of ", n) + name;
    return copy;
}

void CCustomReportList::CopyPrintDefinition(const CCustomPrintReport& from, CCustomPrintReport& to)
{
    to.SetName(from.GetName());
    to.GetMediaIDs() = from.GetMediaIDs();
    for (POSITION pos = from.GetHeadCategory(); pos;)
        to.AddCategory(from.GetNextCategory(pos));
    for (POSITION pos = from.GetHeadCategoryNew(); pos;)
        to.AddNewCategory(from.GetNextCategoryNew(pos));
    to.SetSortOrder(from.GetFirstSortOrderProp(), from.GetSecondSortOrderProp(), from.GetThirdSortOrderProp(),
        from.GetFourthSortOrderProp());
    for (int i = 0; i < from.GetColumnCount(); ++i)
        to.AddColumn(from.GetColumnAt(i));
}

CCustomPrintReport* CCustomReportList::KeepPrintReport(
    CLibrary& library, const CCustomPrintReportEditor& editor, const CCustomPrintReport* replaced)
{
    auto* report = new CCustomPrintReport();
    if (replaced)
        CopyPrintDefinition(*replaced, *report);
    editor.Store(*report, library);
    library.AddCustomPrintReport(report);
    if (replaced)
        library.DeleteCustomPrintReport(const_cast<CCustomPrintReport*>(replaced));
    return report;
}

CCustomWebReport* CCustomReportList::KeepWebReport(
    CLibrary& library, const CCustomWebReportEditor& editor, const CCustomWebReport* replaced)
{
    // A copy of the old one knows where its pages are.
    auto* report = replaced ? new CCustomWebReport(*replaced) : new CCustomWebReport();
    editor.Store(*report, library);
    library.AddCustomWebReport(report);
    if (replaced)
        library.DeleteCustomWebReport(const_cast<CCustomWebReport*>(replaced));
    return report;
}

CCustomPrintReport* CCustomReportList::CopyPrintReport(CLibrary& library, const CCustomPrintReport& report)
{
    auto* copy = new CCustomPrintReport();
    CopyPrintDefinition(report, *copy);
    copy->SetName(MakeCopyName(report.GetName(), GetPrintReportNames(library)));
    library.AddCustomPrintReport(copy);
    return copy;
}

CCustomWebReport* CCustomReportList::CopyWebReport(CLibrary& library, const CCustomWebReport& report)
{
    auto* copy = new CCustomWebReport(report);
    const CString name = MakeCopyName(report.GetName(), GetWebReportNames(library));
    copy->SetName(name);
    // A report's pages are found by its home page's name; two reports on one
    // home page would overwrite and delete each other's pages.
    CString folder = CFileUtils::ParseDirFromPath(report.GetHomePage());
    if (folder.empty())
        folder = library.GetPathCustomWebReportOutput();
    const std::vector<CString> pages = GetWebReportHomePages(library);
    CString homePage = CCustomWebReportEditor::SuggestHomePage(folder, name);
    for (int n = 2; Contains(pages, homePage); ++n)
        homePage = CCustomWebReportEditor::SuggestHomePage(folder, name + CStringUtils::Format(" %d", n));
    copy->SetHomePage(homePage, false);
    library.AddCustomWebReport(copy);
    return copy;
}

void CCustomReportList::RestoreDefaultWebReports(CLibrary& library)
{
    const CString templates = library.GetPathUserCustomWebReportTemplate();
    const CString output = library.GetPathCustomWebReportOutput();
    if (templates.empty() || output.empty())
        return;
    // The defaults' names, as a library of its own makes them; it shares
    // the category list of the loaded library and leaves it as it is.
    std::vector<CString> defaults;
    {
        CLibrary scratch(false, false);
        scratch.AddDefaultCustomWebReports(templates, output);
        defaults = GetWebReportNames(scratch);
    }
    for (int i = library.GetCustomWebReportCount() - 1; i >= 0; --i)
        if (CCustomWebReport* report = library.GetCustomWebReportAt(i); report && Contains(defaults, report->GetName()))
            library.DeleteCustomWebReport(report);
    library.AddDefaultCustomWebReports(templates, output);
}

bool CCustomReportList::HasItems(const CLibrary& library, const CCustomReport& report)
{
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        if (report.GetMediaIDs().GetShow(type) && library.GetItemCount(type) > 0)
            return true;
    return false;
}

CString CWebReportRunTally::GetSummary() const
{
    CString summary = CStringUtils::Format("%d written", GetWrittenCount());
    if (!m_skipped.empty())
        summary += CStringUtils::Format(", %d skipped: ", GetSkippedCount()) + NO_ITEMS_REASON;
    summary += ".";
    if (m_failed.empty())
        return summary;
    summary += "\n\n" + CCountText::Of(GetFailedCount(), "report") + " did not finish:";
    for (const CFailure& failure : m_failed)
        summary += "\n" + failure.name + ": " + failure.error;
    return summary;
}
