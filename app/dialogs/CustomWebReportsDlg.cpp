#include "app/dialogs/CustomWebReportsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "platform/util/FileUtils.h"

namespace {

const char* const kTitle = "Custom Web Reports";
const char* const kBrowserFailed = "VemoLibrary was unable to launch your web browser. Please start your web browser "
                                   "and go to %1.\n\n%2";

// The stages a web report run reports through its progress callback.
enum RunStage { StageTemplatesRead = 0, StageItemsFiltered = 1, StageItemDone = 2, StageFinished = 3 };

} // namespace

CCustomWebReportsDlg::CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_list(new QListWidget(this))
    , m_messages(new QListWidget(this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
{
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    m_messages->setObjectName("runMessages");
    m_status->setObjectName("runStatus");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_run = buttons->addButton("&Run", QDialogButtonBox::ActionRole);
    m_runAll = buttons->addButton("Run &All", QDialogButtonBox::ActionRole);
    connect(m_run, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunSelected);
    connect(m_runAll, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CCustomWebReportsDlg::UpdateButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Web reports of this Library:", this));
    layout->addWidget(m_list, 2);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_messages, 1);
    layout->addWidget(buttons);
    resize(520, 480);
    Refresh();
}

void CCustomWebReportsDlg::Refresh()
{
    m_list->clear();
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const int count = library ? library->GetCustomWebReportCount() : 0;
    for (int i = 0; i < count; ++i)
        if (const CCustomWebReport* report = library->GetCustomWebReportAt(i)) {
            auto* entry = new QListWidgetItem(QString::fromStdString(report->GetName()), m_list);
            entry->setData(Qt::UserRole, i);
        }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    UpdateButtons();
}

void CCustomWebReportsDlg::UpdateButtons()
{
    m_run->setEnabled(!m_running && m_list->currentItem() != nullptr);
    m_runAll->setEnabled(!m_running && m_list->count() > 0);
}

QStringList CCustomWebReportsDlg::GetMessages() const
{
    QStringList texts;
    for (int i = 0; i < m_messages->count(); ++i)
        texts << m_messages->item(i)->text();
    return texts;
}

void CCustomWebReportsDlg::AddMessage(const QString& text)
{
    m_messages->addItem(text);
    m_messages->scrollToBottom();
}

bool CCustomWebReportsDlg::RunSelected()
{
    const QListWidgetItem* entry = m_list->currentItem();
    if (!entry)
        return false;
    return RunReports({ entry->data(Qt::UserRole).toInt() });
}

bool CCustomWebReportsDlg::RunAll()
{
    QList<int> indexes;
    for (int i = 0; i < m_list->count(); ++i)
        indexes << m_list->item(i)->data(Qt::UserRole).toInt();
    return RunReports(indexes);
}

bool CCustomWebReportsDlg::RunReports(const QList<int>& indexes)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library || m_running || indexes.isEmpty())
        return false;
    m_running = true;
    UpdateButtons();
    bool allRan = true;
    const CCustomWebReport* offered = nullptr;
    const int selected = m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toInt() : -1;
    for (int index : indexes) {
        CCustomWebReport* report = library->GetCustomWebReportAt(index);
        if (!report)
            continue;
        if (!RunOne(*report)) {
            allRan = false;
            continue;
        }
        // The selected report's pages are the ones offered, else the first
        // that ran.
        if (!offered || index == selected)
            offered = report;
    }
    m_running = false;
    UpdateButtons();
    if (offered)
        OfferHomePage(*offered);
    return allRan;
}

bool CCustomWebReportsDlg::RunOne(CCustomWebReport& report)
{
    const QString name = QString::fromStdString(report.GetName());
    m_progress->setValue(0);
    AddMessage(QString("Running \"%1\"...").arg(name));
    m_doc->GetLibrary()->RunCustomWebReport(
        &report, [this, name](unsigned int, long long stage, long long value) { OnProgress(name, stage, value); });
    const QString error = QString::fromStdString(report.GetRunErrorMsg());
    if (!error.isEmpty()) {
        AddMessage(QString("\"%1\" did not finish: %2").arg(name, error));
        m_status->setText(QString("\"%1\" did not finish.").arg(name));
        return false;
    }
    AddMessage(QString("\"%1\": the pages are in %2")
                   .arg(name, QString::fromStdString(CFileUtils::ParseDirFromPath(report.GetHomePage()))));
    return true;
}

void CCustomWebReportsDlg::OnProgress(const QString& name, long long stage, long long value)
{
    switch (stage) {
    case StageTemplatesRead:
        m_status->setText(QString("\"%1\": templates read.").arg(name));
        AddMessage(m_status->text());
        break;
    case StageItemsFiltered:
        m_progress->setRange(0, static_cast<int>(std::max<long long>(value, 1)));
        m_progress->setValue(0);
        m_status->setText(QString("\"%1\": writing the pages of %2 item(s)...").arg(name).arg(value));
        AddMessage(m_status->text());
        break;
    case StageItemDone:
        m_progress->setValue(static_cast<int>(std::min<long long>(value + 1, m_progress->maximum())));
        break;
    case StageFinished:
        m_progress->setValue(m_progress->maximum());
        m_status->setText(QString("\"%1\": finished.").arg(name));
        AddMessage(m_status->text());
        break;
    default:
        break;
    }
    // The run holds the event loop; the bar and the text are drawn at once.
    m_progress->repaint();
    m_status->repaint();
}

void CCustomWebReportsDlg::OfferHomePage(const CCustomWebReport& report)
{
    const CString homePage = report.GetHomePage();
    if (!CFileUtils::DoesFileExist(homePage))
        return;
    const QString question = QString("The web report \"%1\" is ready. Open its home page in your web browser?")
                                 .arg(QString::fromStdString(report.GetName()));
    if (!CMessageBox::Confirm(this, kTitle, question))
        return;
    const QString url = QUrl::fromLocalFile(QString::fromStdString(homePage)).toString();
    QString reason;
    if (!CBrowserLauncher::Open(url, reason))
        CMessageBox::Warn(this, "Failed to Launch Browser", QString(kBrowserFailed).arg(url, reason));
}
