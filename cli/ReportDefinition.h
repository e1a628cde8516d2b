#pragma once
// Report definitions as JSON, so that a script can define, read and change
// the library's printed and web reports without the window. One object per
// report; media types and categories go by name, sort keys are property
// names (a leading "-" sorts from high to low), and template files and home
// pages inside the library's own folders go by their path below that
// folder. Reading fills the report editors' working copies, which check
// and store a definition the same way the report windows do.

#include "platform/util/VemoTypes.h"

class CCustomPrintReport;
class CCustomPrintReportEditor;
class CCustomWebReport;
class CCustomWebReportEditor;
class CLibrary;

class CReportDefinition {
public:
    // The definition of report as an indented JSON object and a line break.
    static CString ToJson(const CCustomPrintReport& report, const CLibrary& library);
    static CString ToJson(const CCustomWebReport& report, const CLibrary& library);

    // The "name" of a JSON definition; "" when text is no object with a
    // text under that key.
    static CString NameOf(const CString& text);

    // Reads the JSON definition text into editor, which holds the report
    // being changed or, with isNew, a new one. A key left out keeps what
    // editor holds; for a new report "name", "mediaTypes" (and for a web
    // report "pageLevels") are required, and the others default as the
    // report windows propose them: every category, the media types'
    // default columns and list order, a home page named after the report.
    // False, with error naming the key, for text that is no JSON object,
    // an unknown key, a value of the wrong JSON type, or a media type,
    // category or property the library does not know.
    static bool Read(
        const CString& text, CLibrary& library, CCustomPrintReportEditor& editor, bool isNew, CString& error);
    static bool Read(
        const CString& text, CLibrary& library, CCustomWebReportEditor& editor, bool isNew, CString& error);
};
