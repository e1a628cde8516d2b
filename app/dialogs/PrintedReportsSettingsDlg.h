#pragma once
// Reports, Printed Reports Settings...: page orientation and margins, and
// the font and text colour of the header, content and footer of printed
// reports.

#include <QDialog>

#include "platform/appcfg/Rect.h"
#include "platform/util/Font.h"

class QDoubleSpinBox;
class QPushButton;
class QRadioButton;

// What the dialog edits; margins in thousandths of an inch.
struct CPrintedReportSettings {
    enum Part { Header, Content, Footer };
    static constexpr int PART_COUNT = 3;

    bool portrait = true;
    CRect margins;
    CFont fonts[PART_COUNT];
    COLORREF colors[PART_COUNT] = {};
};

class CPrintedReportsSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CPrintedReportsSettingsDlg(const CPrintedReportSettings& settings, QWidget* parent = nullptr);

    CPrintedReportSettings GetSettings() const;

    void SetPortrait(bool portrait);
    // In thousandths of an inch.
    void SetMargins(const CRect& margins);
    void SetFont(CPrintedReportSettings::Part part, const CFont& font);
    void SetColor(CPrintedReportSettings::Part part, COLORREF color);

    static QFont ToQFont(const CFont& font);
    // Keeps what QFont does not know (the character set) from base.
    static CFont FromQFont(const QFont& font, const CFont& base);
    static QColor ToQColor(COLORREF color);
    static COLORREF FromQColor(const QColor& color);

private:
    void ChooseFont(int part);
    void ChooseColor(int part);
    void ShowPart(int part);

    CPrintedReportSettings m_settings;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QDoubleSpinBox* m_margins[4];
    QPushButton* m_fontButtons[CPrintedReportSettings::PART_COUNT];
    QPushButton* m_colorButtons[CPrintedReportSettings::PART_COUNT];
};
