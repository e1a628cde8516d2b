#pragma once
// VemoLibrary, Settings...: tool-tip behaviour, automatic upgrading and the
// log file. OK is enabled once something changed; it stores the values and
// saves the settings at once.

#include <QDialog>

class CVemoLibrarySettings;
class QCheckBox;
class QPushButton;
class QSpinBox;

class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CSettingsDlg(CVemoLibrarySettings& settings, QWidget* parent = nullptr);

    QCheckBox* CloseButtonBox() const { return m_closeButton; }
    QSpinBox* SpeedBox() const { return m_speed; }
    QCheckBox* UpgradingBox() const { return m_upgrading; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    CVemoLibrarySettings& m_settings;
    QCheckBox* m_closeButton;
    QSpinBox* m_speed;
    QCheckBox* m_upgrading;
    QPushButton* m_ok;
};
