#pragma once
// The lending page: the item's history (returns, the loan, the reservation
// queue; an overdue loan in red), the borrower chosen from the persons or
// added on the spot, and Reserve, Check Out (due date proposed by the
// library's check-out settings), Return and Cancel Reservation.

#include <memory>

#include "app/pages/ItemPage.h"
#include "platform/util/VemoTypes.h"

class CCheckOut;
class CPerson;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTableWidget;

class CCheckOutPage : public CItemPage {
    Q_OBJECT

public:
    explicit CCheckOutPage(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    QString Title() const override { return "Check-&Out"; }
    void SetItem(CMediaItem* item) override;
    void OnUpdate(int hint) override;

    // The commands; each is refused with a message (and changes nothing)
    // when the borrower or the dates do not allow it.
    bool Reserve();
    bool CheckOut();
    bool Return();
    // The selected reservation, else the chosen borrower's.
    bool CancelReservation();
    // Asks for a new borrower; true when one was added and chosen.
    bool NewBorrower();
    // Adds person to the shared persons and chooses it; an equal person
    // already listed is chosen instead. The chosen id, 0 when refused.
    int AddBorrower(std::unique_ptr<CPerson> person);
    bool SelectBorrower(int personID);
    int GetBorrowerID() const;

    QComboBox* GetBorrowerCombo() const { return m_borrower; }
    QDateTimeEdit* GetDateEdit() const { return m_date; }
    QCheckBox* GetDueCheck() const { return m_hasDue; }
    QDateTimeEdit* GetDueEdit() const { return m_due; }
    QTableWidget* GetHistory() const { return m_history; }
    QString GetStatusText() const;

private:
    CCheckOut* History() const;
    void FillBorrowers();
    void ShowHistory();
    void ProposeDueDate();
    // After an action: the message when refused, else the history anew.
    bool Done(const CString& title, const CString& message);

    CMediaItem* m_item = nullptr;
    QTableWidget* m_history;
    QLabel* m_status;
    QComboBox* m_borrower;
    QPushButton* m_newBorrower;
    QDateTimeEdit* m_date;
    QCheckBox* m_hasDue;
    QDateTimeEdit* m_due;
    QPushButton* m_reserve;
    QPushButton* m_checkOut;
    QPushButton* m_return;
    QPushButton* m_cancel;
};
