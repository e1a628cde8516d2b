#include "app/reports/PrintReportRunner.h"

#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportList.h"
#include "data/store/Library.h"

namespace {

bool IsNumeric(const CString& prop)
{
    bool derived, yesNo, number, date, text, list, noGridEdit;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    return number;
}

} // namespace

bool CPrintReportRunner::Run(CLibrary& library, const CCustomPrintReport& report, CReportTable& table, CString& error)
{
    CCustomPrintReport run;
    CCustomReportList::CopyPrintDefinition(report, run);
    library.PrepCustomPrintReport(&run, false, false, false, true);
    error = run.GetRunErrorMsg();
    if (!error.empty())
        return false;

    table = CReportTable();
    table.title = QString::fromStdString(report.GetName());
    for (int i = 0; i < run.GetColumnCount(); ++i) {
        table.columns << QString::fromStdString(run.GetColumnAt(i));
        if (IsNumeric(run.GetColumnAt(i)))
            table.numericColumns << i;
    }
    CMapStringToString values;
    for (POSITION pos = run.GetHeadItem(); pos;) {
        CItem* item = run.GetNextItem(pos);
        library.GatherCustomPrintReportData(&run, item, values);
        QStringList row;
        for (int i = 0; i < run.GetColumnCount(); ++i) {
            const CString column = run.GetColumnAt(i);
            CString text;
            values.Lookup(column, text);
            CCustomReport::AdjustText(column, text);
            row << QString::fromStdString(text);
        }
        table.rows << row;
    }
    return true;
}
