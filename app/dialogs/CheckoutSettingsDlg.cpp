#include "app/dialogs/CheckoutSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/BuddyLabel.h"

CCheckoutSettingsDlg::CCheckoutSettingsDlg(const CCheckoutSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_signature(new QCheckBox("Include a &signature line in the reservations report", this))
    , m_specify(new QCheckBox("&Propose a due date when an item is checked out:", this))
    , m_duration(new QSpinBox(this))
    , m_unit(new QComboBox(this))
    , m_notes(new QPlainTextEdit(this))
{
    setWindowTitle("Check-out Settings");
    for (int type = coHours; type <= coYears; ++type)
        m_unit->addItem(
            QString::fromStdString(CCheckoutSettings::ConvertDuration(static_cast<CODuration>(type))), type);
    // A stored period outside the usual range is kept as it is.
    m_duration->setRange(std::min(1, settings.GetDuration()), std::max(9999, settings.GetDuration()));

    m_signature->setChecked(settings.GetIncludeSignature());
    m_specify->setChecked(settings.GetSpecifyDuration());
    m_duration->setValue(settings.GetDuration());
    m_unit->setCurrentIndex(m_unit->findData(static_cast<int>(settings.GetDurationType())));
    m_notes->setPlainText(QString::fromStdString(settings.GetNotes()));

    auto enable = [this] {
        m_duration->setEnabled(m_specify->isChecked());
        m_unit->setEnabled(m_specify->isChecked());
    };
    enable();
    connect(m_specify, &QCheckBox::toggled, this, enable);

    auto* period = new QHBoxLayout;
    period->addSpacing(20);
    period->addWidget(m_duration);
    period->addWidget(m_unit);
    period->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_specify);
    layout->addLayout(period);
    layout->addWidget(BuddyLabel("&Notes shown near the top of the reservations report:", m_notes, this));
    layout->addWidget(m_notes, 1);
    layout->addWidget(m_signature);
    layout->addWidget(buttons);
    resize(420, 340);
}

CCheckoutSettings CCheckoutSettingsDlg::GetSettings() const
{
    CCheckoutSettings settings;
    settings.SetIncludeSignature(m_signature->isChecked());
    settings.SetSpecifyDuration(m_specify->isChecked());
    settings.SetDuration(m_duration->value());
    settings.SetDurationType(static_cast<CODuration>(m_unit->currentData().toInt()));
    settings.SetNotes(m_notes->toPlainText().toStdString());
    return settings;
}
