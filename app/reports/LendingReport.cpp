#include "app/reports/LendingReport.h"

#include "app/QtText.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/Library.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/Person.h"

namespace {

QString DateText(const COleDateTime& date)
{
    return Q(CDateTimeUtils::ConvertDateNumbers(date, false, false, false, false));
}

QString PersonName(const CCheckOutState* entry)
{
    const CPersonMgr* persons = CPersonMgr::GetInstance();
    const CPerson* person = entry && persons ? persons->GetPerson(entry->GetPersonID()) : nullptr;
    return person ? Q(person->FormName(false)) : QString("(unknown person)");
}

QStringList ItemColumns(const CMediaItem& item)
{
    return { Q(CMediaUtils::GetMediaNameSingular(item.GetMediaType())),
        Q(item.GetUniqueDescription(false, CMediaUtils::MEDIA_PROP_TITLE)) };
}

} // namespace

CReportTable CLendingReport::Reserved(const CLibrary& library)
{
    CReportTable table;
    table.title = "Reserved Report";
    table.columns = { "Reserved For", "Media", "Item", "Reserved", "Status" };
    CMediaItemList items;
    library.GetReservedItems(items);
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        const CMediaItem* item = items.GetNext(pos);
        const CCheckOut* checkOut = item ? item->PeekCheckOut() : nullptr;
        if (!checkOut)
            continue;
        const CCheckOutState* entry = checkOut->GetReservedTo();
        table.rows << (QStringList { PersonName(entry) } + ItemColumns(*item)
            << (entry ? DateText(entry->GetReservedDate()) : QString()) << Q(checkOut->GetCurrentStateText()));
    }
    table.emptyText = "Nothing is reserved.";
    if (const CCheckoutSettings* settings = library.GetCheckoutSettings()) {
        // The settings promise the notes near the top of the report.
        table.notesAtTop = true;
        if (!settings->GetNotes().empty())
            table.notes << Q(settings->GetNotes());
        table.signatureLine = settings->GetIncludeSignature();
    }
    return table;
}

CReportTable CLendingReport::CheckedOut(const CLibrary& library)
{
    CReportTable table;
    table.title = "Checked-out Report for " + Q(library.GetName());
    table.columns = { "Checked Out To", "Media", "Item", "Checked Out", "Due" };
    table.emptyText = "Nothing is checked out.";
    CMediaItemList items;
    library.GetCheckedOutItems(items);
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        const CMediaItem* item = items.GetNext(pos);
        const CCheckOut* checkOut = item ? item->PeekCheckOut() : nullptr;
        const CCheckOutState* entry = checkOut ? checkOut->GetCheckedOutTo() : nullptr;
        if (!entry)
            continue;
        table.rows << (QStringList { PersonName(entry) } + ItemColumns(*item)
            << DateText(entry->GetCheckedOutDate()) << DateText(entry->GetCheckedDueDate()));
    }
    return table;
}
