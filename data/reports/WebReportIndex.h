#pragma once
// index.htm of a folder of web reports: one page that links the home page
// of every web report written into the folder (or below it), by the
// report's name. Every run of a report, from the program or the tool,
// enters it; several libraries may write into one folder, so the page
// keeps its own list (a JSON block inside it) rather than asking a library.

#include <vector>

#include "platform/util/VemoTypes.h"

class CCustomWebReport;
class CLibrary;

class CWebReportIndex {
public:
    static inline const CString FILE_NAME = "index.htm";

    struct CEntry {
        CString name;
        CString page; // the home page, below the folder, "/" between folders
    };

    // The folder whose index lists a report with homePage: reportsFolder
    // when the page lies in it or below it, else the page's own folder.
    static CString FolderFor(const CString& reportsFolder, const CString& homePage);

    // The entries the index of folder lists, in its order; none when it has
    // no index or one this class did not write.
    static std::vector<CEntry> Read(const CString& folder);

    // Enters the report name with its homePage into the index of folder (a
    // report of that home page is renamed), drops the reports whose home
    // page is gone, orders them by name and rewrites the page atomically
    // when its text changed. False, with error set, when it cannot be
    // written, or when folder holds an index.htm of someone else's.
    static bool Record(const CString& folder, const CString& name, const CString& homePage, CString* error = nullptr);

    // Record for a report that has just run on library: the index of the
    // library's web report folder, or of the folder the pages went to.
    static bool RecordRun(const CLibrary& library, const CCustomWebReport& report, CString* error = nullptr);
};
