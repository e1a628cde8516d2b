#include "app/dialogs/SettingsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "data/session/VemoLibrarySettings.h"
#include "platform/util/AppLogger.h"

CSettingsDlg::CSettingsDlg(CVemoLibrarySettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_closeButton(new QCheckBox("Show a &close button on tool-tip balloons", this))
    , m_speed(new QSpinBox(this))
    , m_upgrading(new QCheckBox("Look for &upgrades automatically", this))
{
    setWindowTitle("Settings");
    auto* tabs = new QTabWidget(this);

    auto* help = new QWidget(tabs);
    auto* helpLayout = new QFormLayout(help);
    m_closeButton->setChecked(settings.GetBalloonShowCloseButton());
    m_speed->setRange(50, 1000);
    m_speed->setSuffix(" words per minute");
    m_speed->setValue(static_cast<int>(settings.GetBalloonWPMSpeed()));
    helpLayout->addRow(m_closeButton);
    helpLayout->addRow("&Reading speed:", m_speed);
    tabs->addTab(help, "Context Help");

    auto* upgrades = new QWidget(tabs);
    auto* upgradeLayout = new QVBoxLayout(upgrades);
    m_upgrading->setChecked(settings.GetAutomaticUpgrading());
    upgradeLayout->addWidget(m_upgrading);
    upgradeLayout->addStretch();
    tabs->addTab(upgrades, "Upgrades");

    auto* logging = new QWidget(tabs);
    auto* logLayout = new QVBoxLayout(logging);
    auto* logFile = new QLabel(
        "Unexpected conditions are written to\n" + QString::fromStdString(CAppLogger::GetInstance()->GetLogFile()),
        logging);
    logFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    logLayout->addWidget(logFile);
    logLayout->addStretch();
    tabs->addTab(logging, "Logging");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto changed = [this] { m_ok->setEnabled(true); };
    connect(m_closeButton, &QCheckBox::toggled, this, changed);
    connect(m_upgrading, &QCheckBox::toggled, this, changed);
    connect(m_speed, &QSpinBox::valueChanged, this, changed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CSettingsDlg::accept()
{
    m_settings.SetBalloonShowCloseButton(m_closeButton->isChecked());
    m_settings.SetBalloonWPMSpeed(static_cast<UINT>(m_speed->value()));
    m_settings.SetAutomaticUpgrading(m_upgrading->isChecked());
    if (!m_settings.Save())
        CMessageBox::Warn(this, "Settings",
            "VemoLibrary was unable to save the settings: " + QString::fromStdString(m_settings.GetLastError()));
    CAppLogger::GetInstance()->SetLogFile(m_settings.GetApplicationPath() + m_settings.GetApplicationName() + ".log");
    QDialog::accept();
}
