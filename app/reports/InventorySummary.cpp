#include "app/reports/InventorySummary.h"

#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/NumberTextConv.h"

namespace {

QString Count(int n)
{
    return QString::fromStdString(CNumberTextConv::NumberToString(n, 0, "", true));
}

QString Money(double value)
{
    return QString::fromStdString(CNumberTextConv::DoubleToString(value, 2, true, 0, "", false));
}

} // namespace

CReportTable CInventorySummary::Build(const CLibrary& library)
{
    CReportTable table;
    table.title = QString::fromStdString(library.GetName()) + " Inventory Summary";
    table.columns = { "Media Type", "Items", "Reserved", "Checked-out", "Total Value" };
    table.numericColumns = { 1, 2, 3, 4 };
    const CMediaTypeSelection* shown = library.GetMediaTypes();
    int items = 0;
    int reserved = 0;
    int checkedOut = 0;
    double value = 0.0;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const int typeItems = library.GetTotalItemCount(type);
        if (!(shown && shown->GetShow(type)) && typeItems == 0)
            continue;
        const int typeReserved = library.GetReservedItemCount(type);
        const int typeCheckedOut = library.GetCheckedoutItemCount(type);
        const double typeValue = library.GetTotalValue(type);
        table.rows << QStringList { QString::fromStdString(CMediaUtils::GetMediaNamePlural(type)), Count(typeItems),
            Count(typeReserved), Count(typeCheckedOut), Money(typeValue) };
        items += typeItems;
        reserved += typeReserved;
        checkedOut += typeCheckedOut;
        value += typeValue;
    }
    table.rows << QStringList { "Total", Count(items), Count(reserved), Count(checkedOut), Money(value) };
    table.hasTotalRow = true;
    return table;
}
