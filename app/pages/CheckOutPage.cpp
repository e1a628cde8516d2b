#include "app/pages/CheckOutPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/MessageBox.h"
#include "app/dialogs/PersonDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MediaItem.h"
#include "data/model/PersonMgr.h"
#include "data/store/CheckOutActions.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/Library.h"
#include "platform/util/Clock.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

using namespace PageSupport;

namespace {

const QColor kOverdue(0xC0, 0x00, 0x00);
const char* kDateTimeFormat = "yyyy-MM-dd HH:mm";
const char* kDateFormat = "yyyy-MM-dd";

// The day, and with withTime the time too when the date carries one.
QString DateText(const COleDateTime& date, bool withTime)
{
    double wholeDays = 0;
    withTime = withTime && date.IsValid() && std::modf(date.GetValue(), &wholeDays) != 0.0;
    return Q(CDateTimeUtils::ConvertDateNumbers(date, false, true, false, withTime));
}

QString PersonName(int personID)
{
    const CPersonMgr* persons = CPersonMgr::GetInstance();
    const CPerson* person = persons ? persons->GetPerson(personID) : nullptr;
    return person ? Q(person->FormName(false)) : QString("(unknown borrower)");
}

} // namespace

CCheckOutPage::CCheckOutPage(CVemoLibraryDoc* doc, QWidget* parent)
    : CItemPage(doc, parent)
    , m_history(new QTableWidget(0, 5, this))
    , m_status(new QLabel(this))
    , m_borrower(new QComboBox(this))
    , m_newBorrower(new QPushButton("New Borro&wer...", this))
    , m_date(new QDateTimeEdit(this))
    , m_hasDue(new QCheckBox("Due bac&k:", this))
    , m_due(new QDateTimeEdit(this))
    , m_reserve(new QPushButton("Re&serve", this))
    , m_checkOut(new QPushButton("C&heck Out", this))
    , m_return(new QPushButton("Retur&n", this))
    , m_cancel(new QPushButton("Cance&l Reservation", this))
{
    m_history->setHorizontalHeaderLabels({ "Borrower", "Reserved", "Checked Out", "Due", "Returned" });
    m_history->setAccessibleName("History");
    m_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_history->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_history->setSelectionMode(QAbstractItemView::SingleSelection);
    m_history->verticalHeader()->setVisible(false);
    m_history->setWordWrap(false);
    m_history->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 5; ++column)
        m_history->setColumnWidth(column, 110);

    m_borrower->setAccessibleName("Borrower");
    m_borrower->setMinimumContentsLength(24);
    m_borrower->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (QDateTimeEdit* edit : { m_date, m_due }) {
        edit->setDisplayFormat(kDateTimeFormat);
        edit->setCalendarPopup(true);
    }
    m_date->setAccessibleName("Date");
    m_due->setAccessibleName("Due back");
    m_date->setToolTip("When the item is reserved, checked out or returned");

    connect(m_newBorrower, &QPushButton::clicked, this, &CCheckOutPage::NewBorrower);
    connect(m_reserve, &QPushButton::clicked, this, &CCheckOutPage::Reserve);
    connect(m_checkOut, &QPushButton::clicked, this, &CCheckOutPage::CheckOut);
    connect(m_return, &QPushButton::clicked, this, &CCheckOutPage::Return);
    connect(m_cancel, &QPushButton::clicked, this, &CCheckOutPage::CancelReservation);
    connect(m_date, &QDateTimeEdit::dateTimeChanged, this, &CCheckOutPage::ProposeDueDate);
    connect(m_hasDue, &QCheckBox::toggled, m_due, &QWidget::setEnabled);

    auto* borrowerLabel = new QLabel("Borrowe&r:", this);
    borrowerLabel->setBuddy(m_borrower);
    auto* dateLabel = new QLabel("&Date:", this);
    dateLabel->setBuddy(m_date);
    auto* entry = new QGridLayout;
    entry->addWidget(borrowerLabel, 0, 0);
    entry->addWidget(m_borrower, 0, 1, 1, 3);
    entry->addWidget(m_newBorrower, 0, 4);
    entry->addWidget(dateLabel, 1, 0);
    entry->addWidget(m_date, 1, 1);
    entry->addWidget(m_hasDue, 1, 2);
    entry->addWidget(m_due, 1, 3);
    entry->setColumnStretch(5, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : { m_reserve, m_checkOut, m_return, m_cancel })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_history, 1);
    layout->addWidget(m_status);
    layout->addLayout(entry);
    layout->addLayout(buttons);

    FillBorrowers();
    SetItem(nullptr);
}

CCheckOut* CCheckOutPage::History() const
{
    return m_item ? m_item->GetCheckOut() : nullptr;
}

void CCheckOutPage::SetItem(CMediaItem* item)
{
    m_item = item;
    setEnabled(History() != nullptr);
    m_borrower->setCurrentIndex(0);
    m_date->setDateTime(ToQDateTime(CClock::Now()));
    ProposeDueDate();
    ShowHistory();
}

void CCheckOutPage::OnUpdate(int hint)
{
    if (hint == CVemoLibraryDoc::HintSharedData || hint == CVemoLibraryDoc::HintNewLibrary) {
        FillBorrowers();
        ShowHistory();
    }
}

void CCheckOutPage::FillBorrowers()
{
    const int chosen = GetBorrowerID();
    QList<QPair<QString, int>> entries;
    if (const CPersonMgr* persons = CPersonMgr::GetInstance()) {
        for (POSITION pos = persons->GetHeadPosition(); pos;) {
            const CPerson* person = persons->GetNext(pos);
            entries.append({ Q(person->FormName(false)), person->GetUniqueID() });
        }
    }
    FillChooser(m_borrower, entries);
    SelectBorrower(chosen);
}

bool CCheckOutPage::SelectBorrower(int personID)
{
    const int index = m_borrower->findData(personID);
    m_borrower->setCurrentIndex(std::max(index, 0));
    return index >= 0;
}

int CCheckOutPage::GetBorrowerID() const
{
    return m_borrower->currentData().toInt();
}

void CCheckOutPage::ProposeDueDate()
{
    const CLibrary* library = GetDocument() ? GetDocument()->GetLibrary() : nullptr;
    const CCheckoutSettings* settings = library ? library->GetCheckoutSettings() : nullptr;
    const COleDateTime due
        = settings ? CCheckOutActions::ProposeDueDate(*settings, FromQDateTime(m_date->dateTime())) : COleDateTime();
    // A loan of hours is due back at an hour, any other on a day.
    const bool hours = settings && settings->GetSpecifyDuration() && settings->GetDurationType() == coHours;
    m_due->setDisplayFormat(hours ? kDateTimeFormat : kDateFormat);
    m_hasDue->setChecked(due.IsValid());
    m_due->setEnabled(due.IsValid());
    m_due->setDateTime(due.IsValid() ? ToQDateTime(due) : m_date->dateTime());
}

void CCheckOutPage::ShowHistory()
{
    const CCheckOut* history = History();
    const int count = history ? history->GetEntryCount() : 0;
    const COleDateTime now = CClock::Now();
    m_history->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const CCheckOutState* entry = history->GetEntryAt(row);
        const bool overdue = CCheckOutActions::IsOverdue(*entry, now);
        const COleDateTime* dates[] = { nullptr, &entry->GetReservedDate(), &entry->GetCheckedOutDate(),
            &entry->GetCheckedDueDate(), &entry->GetReturnedDate() };
        for (int column = 0; column < 5; ++column) {
            auto* cell = new QTableWidgetItem(
                column == 0 ? PersonName(entry->GetPersonID()) : DateText(*dates[column], column == 3));
            if (column > 0)
                cell->setToolTip(DateText(*dates[column], true));
            if (overdue)
                cell->setForeground(kOverdue);
            m_history->setItem(row, column, cell);
        }
    }

    QString status;
    bool overdue = false;
    const CCheckOut::State state = history ? history->GetCurrentState() : CCheckOut::stateNone;
    if (const CCheckOutState* loan = history ? history->GetCheckedOutTo() : nullptr) {
        status = "Checked out to " + PersonName(loan->GetPersonID());
        if (loan->GetCheckedDueDate().IsValid())
            status += ", due " + DateText(loan->GetCheckedDueDate(), true);
        overdue = CCheckOutActions::IsOverdue(*loan, now);
        if (overdue)
            status += " (overdue)";
    } else if (const CCheckOutState* reservation = history ? history->GetReservedTo() : nullptr) {
        status = "Reserved for " + PersonName(reservation->GetPersonID());
    } else if (history) {
        status = Q(history->GetCurrentStateText());
    }
    if (history && history->GetTimesCheckedOut() > 0)
        status += QString("; checked out %1 %2 in all")
                      .arg(history->GetTimesCheckedOut())
                      .arg(history->GetTimesCheckedOut() == 1 ? "time" : "times");
    m_status->setText(status);
    m_status->setStyleSheet(overdue ? "color: #C00000; font-weight: bold;" : QString());

    bool reserved = false;
    for (int row = 0; row < count && !reserved; ++row)
        reserved = CCheckOutActions::IsReservation(history->GetEntryAt(row));
    m_checkOut->setEnabled(history && state != CCheckOut::stateCheckedOut);
    m_return->setEnabled(history && state == CCheckOut::stateCheckedOut);
    m_cancel->setEnabled(reserved);
}

QString CCheckOutPage::GetStatusText() const
{
    return m_status->text();
}

bool CCheckOutPage::Done(const CString& title, const CString& message)
{
    if (!message.empty()) {
        CMessageBox::Warn(this, Q(title), Q(message));
        return false;
    }
    ShowHistory();
    emit ItemChanged();
    return true;
}

bool CCheckOutPage::Reserve()
{
    CCheckOut* history = History();
    if (!history)
        return false;
    return Done(CCheckOutActions::TITLE_RESERVE,
        CCheckOutActions::Reserve(*history, GetBorrowerID(), FromQDateTime(m_date->dateTime())));
}

bool CCheckOutPage::CheckOut()
{
    CCheckOut* history = History();
    if (!history)
        return false;
    const COleDateTime due = m_hasDue->isChecked() ? FromQDateTime(m_due->dateTime()) : COleDateTime::Null();
    return Done(CCheckOutActions::TITLE_CHECK_OUT,
        CCheckOutActions::CheckOut(*history, GetBorrowerID(), FromQDateTime(m_date->dateTime()), due));
}

bool CCheckOutPage::Return()
{
    CCheckOut* history = History();
    if (!history)
        return false;
    return Done(CCheckOutActions::TITLE_RETURN, CCheckOutActions::Return(*history, FromQDateTime(m_date->dateTime())));
}

bool CCheckOutPage::CancelReservation()
{
    CCheckOut* history = History();
    if (!history)
        return false;
    CCheckOutState* entry = history->GetEntryAt(m_history->currentRow());
    if (!CCheckOutActions::IsReservation(entry))
        entry = CCheckOutActions::FindReservation(*history, GetBorrowerID());
    return Done(CCheckOutActions::TITLE_CANCEL, CCheckOutActions::CancelReservation(*history, entry));
}

bool CCheckOutPage::NewBorrower()
{
    CPersonDlg dlg(
        CPerson(), true,
        [](const CPerson& record) {
            return record.FormName(true).empty() ? QString("A person needs a first, middle or last name.") : QString();
        },
        this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return AddBorrower(std::make_unique<CPerson>(dlg.GetRecord())) > 0;
}

int CCheckOutPage::AddBorrower(std::unique_ptr<CPerson> person)
{
    CPersonMgr* persons = CPersonMgr::GetInstance();
    if (!persons || !person)
        return 0;
    int id = 0;
    if (persons->Add(person.get())) {
        id = person.release()->GetUniqueID();
        if (CVemoLibraryDoc* doc = GetDocument()) {
            doc->SharedDataChanged();
            id = doc->PersonIDNow(id);
        }
    } else if (const CPerson* known
        = persons->GetPerson(person->GetFirstName(), person->GetMiddleName(), person->GetLastName(), false)) {
        id = known->GetUniqueID();
    }
    FillBorrowers();
    SelectBorrower(id);
    return id;
}
