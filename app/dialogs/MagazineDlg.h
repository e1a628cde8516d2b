#pragma once
// One magazine title: its name, publisher, and the subscription (whether,
// its number, when it expires and what it costs). OK is refused while
// check finds a problem.

#include <QDialog>
#include <functional>

#include "data/model/Magazine.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

class CMagazineDlg : public QDialog {
    Q_OBJECT

public:
    using Check = std::function<QString(const CMagazine& title)>;

    CMagazineDlg(const CMagazine& title, bool isNew, Check check = {}, QWidget* parent = nullptr);

    CMagazine GetTitle() const;
    void accept() override;

    QLineEdit* GetNameEdit() const { return m_name; }
    QComboBox* GetPublisherCombo() const { return m_publisher; }
    QCheckBox* GetSubscriptionBox() const { return m_subscription; }
    QLineEdit* GetNumberEdit() const { return m_number; }
    QLineEdit* GetExpirationEdit() const { return m_expiration; }
    QDoubleSpinBox* GetCostBox() const { return m_cost; }

private:
    void UpdateSubscription();

    CMagazine m_title;
    Check m_check;
    QLineEdit* m_name;
    QComboBox* m_publisher;
    QCheckBox* m_subscription;
    QLineEdit* m_number;
    QLineEdit* m_expiration;
    QDoubleSpinBox* m_cost;
};
