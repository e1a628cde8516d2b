#include "app/dialogs/MediaSettingsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

CMediaSettingsDlg::CMediaSettingsDlg(bool cassetteTimedCounter, int defaultDVDRegion, QWidget* parent)
    : QDialog(parent)
    , m_timed(new QCheckBox("Cassette tape counters are &timed (minutes and seconds)", this))
    , m_region(new QSpinBox(this))
{
    setWindowTitle("Media Settings");
    m_timed->setChecked(cassetteTimedCounter);
    // A stored region beyond the usual ones is kept as it is.
    m_region->setRange(0, std::max(MAX_DVD_REGION, defaultDVDRegion));
    m_region->setSpecialValueText("0 (none)");
    m_region->setValue(defaultDVDRegion);

    auto* form = new QFormLayout;
    form->addRow("Default &DVD region:", m_region);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_timed);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

bool CMediaSettingsDlg::GetCassetteTimedCounter() const
{
    return m_timed->isChecked();
}

int CMediaSettingsDlg::GetDefaultDVDRegion() const
{
    return m_region->value();
}
