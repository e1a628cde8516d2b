#pragma once
// What the report manager windows do with the library's lists of reports
// beyond one definition: names for copies, copies, the default web
// reports restored, which reports have items to show, and the one summary
// of a run of several web reports.

#include <vector>

#include "platform/util/VemoTypes.h"

class CCustomPrintReport;
class CCustomPrintReportEditor;
class CCustomReport;
class CCustomWebReport;
class CCustomWebReportEditor;
class CLibrary;

class CCustomReportList {
public:
    static std::vector<CString> GetPrintReportNames(const CLibrary& library);
    static std::vector<CString> GetWebReportNames(const CLibrary& library);
    static std::vector<CString> GetWebReportHomePages(const CLibrary& library);

    // "Copy of " + name, or "Copy (2) of " + name and so on: the first that
    // no name of taken equals (ignoring case).
    static CString MakeCopyName(const CString& name, const std::vector<CString>& taken);
    // The definition of from (name, media types, both category sets, sort
    // properties, columns) without its items and run message: a report
    // keeps the message of an earlier failed run, and its items point into
    // the library.
    static void CopyPrintDefinition(const CCustomPrintReport& from, CCustomPrintReport& to);
    // A copy of report under a new name, added to the library; the copy of
    // a web report writes its pages beside the original's under a home
    // page named after the copy. Returns the copy (owned by the library).
    static CCustomPrintReport* CopyPrintReport(CLibrary& library, const CCustomPrintReport& report);
    static CCustomWebReport* CopyWebReport(CLibrary& library, const CCustomWebReport& report);

    // Keeps an editor's definition: as a new report of the library, or in
    // place of replaced (which is destroyed). The successor is added anew,
    // so that the list stays sorted by name; a web report's pages move
    // along to a new home page. Returns the report kept (owned by the
    // library).
    static CCustomPrintReport* KeepPrintReport(
        CLibrary& library, const CCustomPrintReportEditor& editor, const CCustomPrintReport* replaced = nullptr);
    static CCustomWebReport* KeepWebReport(
        CLibrary& library, const CCustomWebReportEditor& editor, const CCustomWebReport* replaced = nullptr);

    // Puts the default web reports back as a new library has them: reports
    // of the default names (ignoring case) are replaced, the others stay.
    // The templates and pages are the library's folders.
    static void RestoreDefaultWebReports(CLibrary& library);

    // Whether the library holds items of any media type the report selects.
    static bool HasItems(const CLibrary& library, const CCustomReport& report);
};

// What a run of web reports came to, said once at the end.
class CWebReportRunTally {
public:
    static inline const CString NO_ITEMS_REASON = "no items of that type";

    void AddWritten(const CString& name) { m_written.push_back(name); }
    void AddSkipped(const CString& name) { m_skipped.push_back(name); }
    void AddFailed(const CString& name, const CString& error) { m_failed.push_back({ name, error }); }

    int GetWrittenCount() const { return static_cast<int>(m_written.size()); }
    int GetSkippedCount() const { return static_cast<int>(m_skipped.size()); }
    int GetFailedCount() const { return static_cast<int>(m_failed.size()); }

    // "3 written, 2 skipped: no items of that type." (the skipped part only
    // when some were skipped), then when some did not finish a line such as
    // "1 report did not finish:" and one line per report with its reason.
    CString GetSummary() const;

private:
    struct CFailure {
        CString name;
        CString error;
    };

    std::vector<CString> m_written;
    std::vector<CString> m_skipped;
    std::vector<CFailure> m_failed;
};
