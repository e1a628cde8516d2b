#pragma once
// Edit, Check-out Settings...: the default loan period that proposes due
// dates, and the notes and signature line of the reservations report.

#include <QDialog>

#include "data/store/CheckoutSettings.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QSpinBox;

class CCheckoutSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CCheckoutSettingsDlg(const CCheckoutSettings& settings, QWidget* parent = nullptr);

    // The five values as the dialog shows them.
    CCheckoutSettings GetSettings() const;

    QCheckBox* GetIncludeSignature() const { return m_signature; }
    QCheckBox* GetSpecifyDuration() const { return m_specify; }
    QSpinBox* GetDuration() const { return m_duration; }
    QComboBox* GetDurationType() const { return m_unit; }
    QPlainTextEdit* GetNotes() const { return m_notes; }

private:
    QCheckBox* m_signature;
    QCheckBox* m_specify;
    QSpinBox* m_duration;
    QComboBox* m_unit;
    QPlainTextEdit* m_notes;
};
