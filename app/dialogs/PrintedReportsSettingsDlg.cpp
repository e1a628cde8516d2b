#include "app/dialogs/PrintedReportsSettingsDlg.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const char* const kPartNames[CPrintedReportSettings::PART_COUNT] = { "Header", "Content", "Footer" };
const char* const kMarginNames[4] = { "&Left:", "&Top:", "&Right:", "&Bottom:" };

} // namespace

CPrintedReportsSettingsDlg::CPrintedReportsSettingsDlg(const CPrintedReportSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_portrait(new QRadioButton("&Portrait", this))
    , m_landscape(new QRadioButton("L&andscape", this))
{
    setWindowTitle("Printed Reports Settings");
    auto* orientation = new QGroupBox("Orientation", this);
    auto* orientationLayout = new QHBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* margins = new QGroupBox("Margins (inches)", this);
    auto* marginLayout = new QGridLayout(margins);
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = new QDoubleSpinBox(this);
        m_margins[i]->setRange(0.0, 5.0);
        m_margins[i]->setDecimals(2);
        m_margins[i]->setSingleStep(0.05);
        auto* label = new QLabel(kMarginNames[i], this);
        label->setBuddy(m_margins[i]);
        marginLayout->addWidget(label, i / 2, (i % 2) * 2);
        marginLayout->addWidget(m_margins[i], i / 2, (i % 2) * 2 + 1);
    }

    auto* text = new QGroupBox("Text", this);
    auto* textLayout = new QGridLayout(text);
    for (int part = 0; part < CPrintedReportSettings::PART_COUNT; ++part) {
        m_fontButtons[part] = new QPushButton(this);
        m_colorButtons[part] = new QPushButton(this);
        textLayout->addWidget(new QLabel(QString(kPartNames[part]) + ":", this), part, 0);
        textLayout->addWidget(m_fontButtons[part], part, 1);
        textLayout->addWidget(m_colorButtons[part], part, 2);
        connect(m_fontButtons[part], &QPushButton::clicked, this, [this, part] { ChooseFont(part); });
        connect(m_colorButtons[part], &QPushButton::clicked, this, [this, part] { ChooseColor(part); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(orientation);
    layout->addWidget(margins);
    layout->addWidget(text);
    layout->addWidget(buttons);

    SetPortrait(settings.portrait);
    SetMargins(settings.margins);
    for (int part = 0; part < CPrintedReportSettings::PART_COUNT; ++part)
        ShowPart(part);
}

CPrintedReportSettings CPrintedReportsSettingsDlg::GetSettings() const
{
    CPrintedReportSettings settings = m_settings;
    settings.portrait = m_portrait->isChecked();
    auto thousandths = [this](int i) { return static_cast<int>(std::lround(m_margins[i]->value() * 1000.0)); };
    settings.margins = CRect(thousandths(0), thousandths(1), thousandths(2), thousandths(3));
    return settings;
}

void CPrintedReportsSettingsDlg::SetPortrait(bool portrait)
{
    (portrait ? m_portrait : m_landscape)->setChecked(true);
}

void CPrintedReportsSettingsDlg::SetMargins(const CRect& margins)
{
    const int values[4] = { margins.left, margins.top, margins.right, margins.bottom };
    for (int i = 0; i < 4; ++i) {
        // A stored margin beyond the usual range is kept as it is.
        const double inches = values[i] / 1000.0;
        m_margins[i]->setRange(std::min(0.0, inches), std::max(5.0, inches));
        m_margins[i]->setValue(inches);
    }
}

void CPrintedReportsSettingsDlg::SetFont(CPrintedReportSettings::Part part, const CFont& font)
{
    m_settings.fonts[part] = font;
    ShowPart(part);
}

void CPrintedReportsSettingsDlg::SetColor(CPrintedReportSettings::Part part, COLORREF color)
{
    m_settings.colors[part] = color;
    ShowPart(part);
}

void CPrintedReportsSettingsDlg::ShowPart(int part)
{
    const CFont& font = m_settings.fonts[part];
    m_fontButtons[part]->setText(QString("%1, %2 pt").arg(QString::fromStdString(font.faceName)).arg(font.height));
    m_fontButtons[part]->setFont(ToQFont(font));
    const QColor color = ToQColor(m_settings.colors[part]);
    m_colorButtons[part]->setText("Colour...");
    m_colorButtons[part]->setStyleSheet(QString("color: %1").arg(color.name()));
}

void CPrintedReportsSettingsDlg::ChooseFont(int part)
{
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(m_settings.fonts[part]), this, kPartNames[part]);
    if (ok)
        SetFont(static_cast<CPrintedReportSettings::Part>(part), FromQFont(chosen, m_settings.fonts[part]));
}

void CPrintedReportsSettingsDlg::ChooseColor(int part)
{
    QColor chosen = QColorDialog::getColor(ToQColor(m_settings.colors[part]), this, kPartNames[part]);
    if (chosen.isValid())
        SetColor(static_cast<CPrintedReportSettings::Part>(part), FromQColor(chosen));
}

QFont CPrintedReportsSettingsDlg::ToQFont(const CFont& font)
{
    QFont result(QString::fromStdString(font.faceName));
    if (font.height > 0)
        result.setPointSize(font.height);
    result.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

CFont CPrintedReportsSettingsDlg::FromQFont(const QFont& font, const CFont& base)
{
    CFont result = base;
    result.faceName = font.family().toStdString();
    if (font.pointSize() > 0)
        result.height = font.pointSize();
    result.weight = font.bold() ? 700 : 400;
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    return result;
}

// COLORREF keeps red in the low byte.
QColor CPrintedReportsSettingsDlg::ToQColor(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

COLORREF CPrintedReportsSettingsDlg::FromQColor(const QColor& color)
{
    return static_cast<COLORREF>(color.red()) | (static_cast<COLORREF>(color.green()) << 8)
        | (static_cast<COLORREF>(color.blue()) << 16);
}
