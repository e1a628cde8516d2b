#include "app/reports/PrintReportRunner.h"

#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/Library.h"

namespace {

// A copy without the original's items and run message: a report keeps the
// message of an earlier failed run, which would make a good run look failed,
// and its items would still point into the library after the grid is gone.
void CopyDefinition(const CCustomPrintReport& from, CCustomPrintReport& to)
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
    CopyDefinition(report, run);
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
