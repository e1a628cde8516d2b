#pragma once
// VemoLibrary, Settings...: tool-tip behaviour, automatic upgrading, the
// online look-up's sources and film key, and the log file. OK is enabled once something changed; it stores the values
// and saves the settings at once.

#include <QDialog>

class CVemoLibrarySettings;
class QCheckBox;
class QLineEdit;
class QListWidget;
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
    // The look-up sources, checked when on, in the order they are asked.
    QListWidget* SourceList() const { return m_sources; }
    QLineEdit* FilmKeyBox() const { return m_filmKey; }
    // Moves the current source one place up or down.
    void MoveSource(int by);

public slots:
    void accept() override;

private:
    QWidget* MakeLookupPage(QWidget* parent);

    CVemoLibrarySettings& m_settings;
    QCheckBox* m_closeButton;
    QSpinBox* m_speed;
    QCheckBox* m_upgrading;
    QListWidget* m_sources;
    QLineEdit* m_filmKey;
    QPushButton* m_ok;
};
