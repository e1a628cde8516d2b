#pragma once
// Edit, Media Settings...: whether cassette counters are kept as playing
// times, and the region new DVDs get.

#include <QDialog>

class QCheckBox;
class QSpinBox;

class CMediaSettingsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int MAX_DVD_REGION = 8;

    CMediaSettingsDlg(bool cassetteTimedCounter, int defaultDVDRegion, QWidget* parent = nullptr);

    bool GetCassetteTimedCounter() const;
    int GetDefaultDVDRegion() const;

    QCheckBox* GetTimedCounterBox() const { return m_timed; }
    QSpinBox* GetRegionBox() const { return m_region; }

private:
    QCheckBox* m_timed;
    QSpinBox* m_region;
};
