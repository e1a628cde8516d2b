#include "app/dialogs/SettingsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MessageBox.h"
#include "app/dialogs/BuddyLabel.h"
#include "data/lookup/MusicBrainzSource.h"
#include "data/lookup/OmdbSource.h"
#include "data/lookup/OpenLibrarySource.h"
#include "data/session/VemoLibrarySettings.h"
#include "platform/util/AppLogger.h"

CSettingsDlg::CSettingsDlg(CVemoLibrarySettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_closeButton(new QCheckBox("Show a &close button on tool-tip balloons", this))
    , m_speed(new QSpinBox(this))
    , m_upgrading(new QCheckBox("Look for &upgrades automatically", this))
    , m_sources(new QListWidget(this))
    , m_filmKey(new QLineEdit(this))
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

    tabs->addTab(MakeLookupPage(tabs), "Look-up");

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
    connect(m_sources, &QListWidget::itemChanged, this, changed);
    connect(m_sources->model(), &QAbstractItemModel::rowsMoved, this, changed);
    connect(m_filmKey, &QLineEdit::textEdited, this, changed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

namespace {

QString SourceTitle(const CString& id)
{
    if (id == COpenLibrarySource::ID)
        return "Open Library: books by ISBN or title";
    if (id == CMusicBrainzSource::ID)
        return "MusicBrainz and the Cover Art Archive: music by barcode, catalogue number or title";
    if (id == COmdbSource::ID)
        return "OMDb: films by title (with your own API key)";
    return QString::fromStdString(id);
}

} // namespace

QWidget* CSettingsDlg::MakeLookupPage(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuddyLabel("&Sources asked, in this order (tick those that are on):", m_sources, page));
    // The sources that are on in their order, then the others.
    const CLookupOptions& options = m_settings.GetLookupOptions();
    std::vector<CString> order = options.sources;
    for (const CString& id : CLookupOptions::KnownSources())
        if (std::find(order.begin(), order.end(), id) == order.end())
            order.push_back(id);
    for (const CString& id : order) {
        auto* item = new QListWidgetItem(SourceTitle(id), m_sources);
        item->setData(Qt::UserRole, QString::fromStdString(id));
        const bool on = std::find(options.sources.begin(), options.sources.end(), id) != options.sources.end();
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    m_sources->setCurrentRow(0);
    m_sources->setAccessibleName("Sources");
    auto* row = new QHBoxLayout;
    row->addWidget(m_sources, 1);
    auto* moves = new QVBoxLayout;
    auto* up = new QPushButton("Move &Up", page);
    auto* down = new QPushButton("Move &Down", page);
    connect(up, &QPushButton::clicked, this, [this] { MoveSource(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveSource(1); });
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    row->addLayout(moves);
    layout->addLayout(row);

    m_filmKey->setText(QString::fromStdString(options.filmApiKey));
    m_filmKey->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    m_filmKey->setAccessibleName("OMDb API key");
    m_filmKey->setPlaceholderText("Films are not looked up without a key");
    auto* form = new QFormLayout;
    form->addRow(BuddyLabel("OMDb &API key:", m_filmKey, page), m_filmKey);
    layout->addLayout(form);
    return page;
}

void CSettingsDlg::MoveSource(int by)
{
    const int from = m_sources->currentRow();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= m_sources->count())
        return;
    QListWidgetItem* item = m_sources->takeItem(from);
    m_sources->insertItem(to, item);
    m_sources->setCurrentRow(to);
    m_ok->setEnabled(true);
}

void CSettingsDlg::accept()
{
    m_settings.SetBalloonShowCloseButton(m_closeButton->isChecked());
    m_settings.SetBalloonWPMSpeed(static_cast<UINT>(m_speed->value()));
    m_settings.SetAutomaticUpgrading(m_upgrading->isChecked());
    CLookupOptions lookup;
    lookup.sources.clear();
    for (int row = 0; row < m_sources->count(); ++row)
        if (const QListWidgetItem* item = m_sources->item(row); item->checkState() == Qt::Checked)
            lookup.sources.push_back(item->data(Qt::UserRole).toString().toStdString());
    lookup.filmApiKey = m_filmKey->text().trimmed().toStdString();
    m_settings.SetLookupOptions(lookup);
    if (!m_settings.Save())
        CMessageBox::Warn(this, "Settings",
            "VemoLibrary was unable to save the settings: " + QString::fromStdString(m_settings.GetLastError()));
    CAppLogger::GetInstance()->SetLogFile(m_settings.GetApplicationPath() + m_settings.GetApplicationName() + ".log");
    QDialog::accept();
}
