#include <iostream>
#include <iterator>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/ReportDefinition.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportEditor.h"
#include "data/reports/CustomReportList.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// What differs between printed and web reports, for the one command.
template <class Report> struct CKindOf;

template <> struct CKindOf<CCustomPrintReport> {
    using Editor = CCustomPrintReportEditor;
    static constexpr const char* WHAT = "printed report";
    static int Count(const CLibrary& library) { return library.GetCustomPrintReportCount(); }
    static CCustomPrintReport* At(const CLibrary& library, int i) { return library.GetCustomPrintReportAt(i); }
    static CString Line(const CCustomPrintReport& report) { return report.GetName(); }
    static CString HomePage(const CCustomPrintReport&) { return CString(); }
    static CString Check(const Editor& editor, const std::vector<CString>& names, const std::vector<CString>&)
    {
        return editor.Check(names);
    }
    static CCustomPrintReport* Keep(CLibrary& library, const Editor& editor, const CCustomPrintReport* replaced)
    {
        return CCustomReportList::KeepPrintReport(library, editor, replaced);
    }
    static void Delete(CLibrary& library, CCustomPrintReport* report) { library.DeleteCustomPrintReport(report); }
};

template <> struct CKindOf<CCustomWebReport> {
    using Editor = CCustomWebReportEditor;
    static constexpr const char* WHAT = "web report";
    static int Count(const CLibrary& library) { return library.GetCustomWebReportCount(); }
    static CCustomWebReport* At(const CLibrary& library, int i) { return library.GetCustomWebReportAt(i); }
    static CString Line(const CCustomWebReport& report) { return report.GetName() + '\t' + report.GetHomePage(); }
    static CString HomePage(const CCustomWebReport& report) { return report.GetHomePage(); }
    static CString Check(const Editor& editor, const std::vector<CString>& names, const std::vector<CString>& pages)
    {
        return editor.Check(names, pages);
    }
    static CCustomWebReport* Keep(CLibrary& library, const Editor& editor, const CCustomWebReport* replaced)
    {
        return CCustomReportList::KeepWebReport(library, editor, replaced);
    }
    static void Delete(CLibrary& library, CCustomWebReport* report) { library.DeleteCustomWebReport(report); }
};

// Why editor cannot be kept beside the library's other reports; "".
template <class Report>
CString CheckBesideOthers(const typename CKindOf<Report>::Editor& editor, const CLibrary& library, const Report* except)
{
    std::vector<CString> names;
    std::vector<CString> pages;
    for (int i = 0; i < CKindOf<Report>::Count(library); ++i)
        if (const Report* report = CKindOf<Report>::At(library, i); report && report != except) {
            names.push_back(report->GetName());
            pages.push_back(CKindOf<Report>::HomePage(*report));
        }
    return CKindOf<Report>::Check(editor, names, pages);
}

template <class Report> Report* Find(const CLibrary& library, const CString& name)
{
    for (int i = 0; i < CKindOf<Report>::Count(library); ++i)
        if (Report* report = CKindOf<Report>::At(library, i);
            report && CStringUtils::EqualsNoCase(report->GetName(), CStringUtils::Trim(name)))
            return report;
    return nullptr;
}

bool ReadDefinition(CCliContext& context, const CString& file, CString& text)
{
    if (file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return true;
    }
    std::string bytes;
    CString error;
    if (!CFileUtils::ReadFileBytes(file, bytes, &error)) {
        context.Fail(file + ": " + error);
        return false;
    }
    text = bytes;
    return true;
}

template <class Report>
int Run(CCliContext& context, CCliSession& session, const CString& action, const CString& word, const CCliArgs& args)
{
    using Kind = CKindOf<Report>;
    CLibrary& library = session.GetLibrary();
    std::ostream& out = context.Out();
    if (action == "list") {
        for (int i = 0; i < Kind::Count(library); ++i)
            if (const Report* report = Kind::At(library, i))
                out << Kind::Line(*report) << '\n';
        return CCliContext::EXIT_OK;
    }

    CString text;
    if (action == "set" && !ReadDefinition(context, word, text))
        return CCliContext::EXIT_FAILED;
    const CString name = action != "set" ? word
        : args.Has("report")             ? args.Value("report")
                                         : CReportDefinition::NameOf(text);
    Report* report = name.empty() ? nullptr : Find<Report>(library, name);
    if (!report && action != "set")
        return context.Fail("The library has no " + CString(Kind::WHAT) + " \"" + name + "\".");
    if (!report && args.Has("report"))
        return context.Fail("The library has no " + CString(Kind::WHAT) + " \"" + name + "\"; nothing was saved.");
    if (action == "show") {
        out << CReportDefinition::ToJson(*report, library);
        return CCliContext::EXIT_OK;
    }

    const CString kept = report ? report->GetName() : CString();
    if (action == "delete") {
        Kind::Delete(library, report);
    } else {
        typename Kind::Editor editor = report ? typename Kind::Editor(*report, library) : typename Kind::Editor();
        CString error;
        if (!CReportDefinition::Read(text, library, editor, report == nullptr, error))
            return context.Fail(word + ": " + error + "; nothing was saved.");
        error = CheckBesideOthers<Report>(editor, library, report);
        if (!error.empty())
            return context.Fail(word + ": " + error + " Nothing was saved.");
        report = Kind::Keep(library, editor, report);
    }
    if (!session.Get().Save(CLibrarySession::SaveKind::Explicit))
        return session.Fail("Nothing was saved.");
    session.Warn();
    if (action == "delete")
        out << "Deleted the " << Kind::WHAT << " \"" << kept << "\".\n";
    else if (kept.empty())
        out << "Added the " << Kind::WHAT << " \"" << report->GetName() << "\".\n";
    else
        out << "Changed the " << Kind::WHAT << " \"" << kept << "\""
            << (kept != report->GetName() ? " into \"" + report->GetName() + "\"" : CString()) << ".\n";
    return CCliContext::EXIT_OK;
}

} // namespace

int RunReportDef(CCliContext& context, const CCliArgs& args)
{
    const CString command = "reportdef";
    const std::vector<CString>& words = args.Positional();
    const CString kind = words.at(1);
    if (kind != "print" && kind != "web")
        return context.UsageError(command, "unknown kind of report \"" + kind + "\"; use print or web");
    const CString action = words.size() > 2 ? words[2] : CString("list");
    if (action != "list" && action != "show" && action != "set" && action != "delete")
        return context.UsageError(command, "unknown action \"" + action + "\"; use list, show, set or delete");
    if (words.size() != (action == "list" ? 3u : 4u) && !(action == "list" && words.size() == 2))
        return context.UsageError(command, "wrong number of arguments for " + action);
    if (args.Has("report") && action != "set")
        return context.UsageError(command, "--report goes with set");

    const bool change = action == "set" || action == "delete";
    CCliSession session(context);
    if (!session.Open(words[0], change ? CLibrarySession::Access::Change : CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    const CString word = words.size() > 3 ? words[3] : CString();
    return kind == "print" ? Run<CCustomPrintReport>(context, session, action, word, args)
                           : Run<CCustomWebReport>(context, session, action, word, args);
}
