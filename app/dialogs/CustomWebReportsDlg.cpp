#include "app/dialogs/CustomWebReportsDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/CustomWebReportDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomReportList.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/CountText.h"
#include "platform/util/FileUtils.h"

namespace {

const char* const kTitle = "Custom Web Reports";
const char* const kBrowserFailed = "VemoLibrary was unable to launch your web browser. Please start your web browser "
                                   "and go to %1.\n\n%2";

// The stages a web report run reports through its progress callback.
enum RunStage { StageTemplatesRead = 0, StageItemsFiltered = 1, StageItemDone = 2, StageFinished = 3 };

QString Q(const CString& text)
{
    return QString::fromStdString(text);
}

} // namespace

CCustomWebReportsDlg::CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_list(new QListWidget(this))
    , m_messages(new QListWidget(this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_edit(new QPushButton("&Edit...", this))
    , m_copy(new QPushButton("&Copy", this))
    , m_delete(new QPushButton("&Delete", this))
    , m_run(new QPushButton("&Run", this))
    , m_runAll(new QPushButton("Run &All", this))
{
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    m_messages->setObjectName("runMessages");
    m_status->setObjectName("runStatus");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    // Shown from the first run on.
    m_progress->hide();
    m_status->hide();
    auto* add = new QPushButton("&New...", this);
    auto* restore = new QPushButton("Restore De&faults...", this);
    m_run->setDefault(true);
    auto* side = new QVBoxLayout;
    for (QPushButton* button : { m_run, m_runAll })
        side->addWidget(button);
    side->addSpacing(12);
    for (QPushButton* button : { add, m_edit, m_copy, m_delete })
        side->addWidget(button);
    side->addSpacing(12);
    side->addWidget(restore);
    side->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(m_list, 1);
    list->addLayout(side);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Web reports of this Library:", m_list, this));
    layout->addLayout(list, 2);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(BuddyLabel("What the runs &said:", m_messages, this));
    layout->addWidget(m_messages, 1);
    layout->addWidget(buttons);
    resize(560, 560);

    connect(add, &QPushButton::clicked, this, &CCustomWebReportsDlg::NewReport);
    connect(m_edit, &QPushButton::clicked, this, &CCustomWebReportsDlg::EditSelected);
    connect(m_copy, &QPushButton::clicked, this, &CCustomWebReportsDlg::CopySelected);
    connect(m_delete, &QPushButton::clicked, this, &CCustomWebReportsDlg::DeleteSelected);
    connect(restore, &QPushButton::clicked, this, &CCustomWebReportsDlg::RestoreDefaults);
    connect(m_run, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunSelected);
    connect(m_runAll, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CCustomWebReportsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CCustomWebReportsDlg::EditSelected);
    Refresh();
}

void CCustomWebReportsDlg::Refresh(const QString& select)
{
    m_list->clear();
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const int count = library ? library->GetCustomWebReportCount() : 0;
    int row = 0;
    for (int i = 0; i < count; ++i)
        if (const CCustomWebReport* report = library->GetCustomWebReportAt(i)) {
            auto* entry = new QListWidgetItem(Q(report->GetName()), m_list);
            entry->setData(Qt::UserRole, i);
            if (entry->text() == select)
                row = m_list->count() - 1;
        }
    if (m_list->count() > 0)
        m_list->setCurrentRow(row);
    UpdateButtons();
}

void CCustomWebReportsDlg::UpdateButtons()
{
    const bool selected = !m_running && m_list->currentItem() != nullptr;
    for (QPushButton* button : { m_edit, m_copy, m_delete, m_run })
        button->setEnabled(selected);
    m_runAll->setEnabled(!m_running && m_list->count() > 0);
}

CCustomWebReport* CCustomWebReportsDlg::GetSelected() const
{
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const QListWidgetItem* entry = m_list->currentItem();
    return library && entry ? library->GetCustomWebReportAt(entry->data(Qt::UserRole).toInt()) : nullptr;
}

std::vector<CString> CCustomWebReportsDlg::OtherNames(const CCustomWebReport* except) const
{
    std::vector<CString> names;
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    for (int i = 0; library && i < library->GetCustomWebReportCount(); ++i)
        if (const CCustomWebReport* report = library->GetCustomWebReportAt(i); report && report != except)
            names.push_back(report->GetName());
    return names;
}

std::vector<CString> CCustomWebReportsDlg::OtherHomePages(const CCustomWebReport* except) const
{
    std::vector<CString> pages;
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    for (int i = 0; library && i < library->GetCustomWebReportCount(); ++i)
        if (const CCustomWebReport* report = library->GetCustomWebReportAt(i); report && report != except)
            pages.push_back(report->GetHomePage());
    return pages;
}

CCustomWebReport* CCustomWebReportsDlg::NewReport()
{
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    CCustomWebReportEditor editor;
    int type = CMediaUtils::MEDIA_BOOK;
    if (const CMediaTypeSelection* shown = library->GetMediaTypes())
        for (int t = CMediaUtils::MEDIA_TYPE_IDLAST; t >= CMediaUtils::MEDIA_TYPE_IDFIRST; --t)
            if (shown->GetShow(t))
                type = t;
    editor.GetMediaTypes().SetShow(type, true);
    editor.SelectAllCategories(*library);
    CCustomWebReportDlg dlg(*library, editor, OtherNames(nullptr), OtherHomePages(nullptr), true, this);
    if (dlg.exec() != QDialog::Accepted || !m_doc->GetLibrary())
        return nullptr;
    return AddReport(dlg.GetEditor());
}

CCustomWebReport* CCustomWebReportsDlg::AddReport(const CCustomWebReportEditor& editor)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    auto* report = new CCustomWebReport();
    editor.Store(*report, *library);
    library->AddCustomWebReport(report);
    m_doc->MarkModified();
    Refresh(Q(report->GetName()));
    return report;
}

CCustomWebReport* CCustomWebReportsDlg::EditSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomWebReport* report = GetSelected();
    if (!library || !report || m_running)
        return nullptr;
    CCustomWebReportDlg dlg(
        *library, CCustomWebReportEditor(*report, *library), OtherNames(report), OtherHomePages(report), false, this);
    if (dlg.exec() != QDialog::Accepted || GetSelected() != report)
        return nullptr;
    return ChangeReport(*report, dlg.GetEditor());
}

CCustomWebReport* CCustomWebReportsDlg::ChangeReport(
    const CCustomWebReport& report, const CCustomWebReportEditor& editor)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    // Added anew so that the list stays sorted by name; a copy of the old
    // one, so that its pages move along to a new home page.
    auto* changed = new CCustomWebReport(report);
    editor.Store(*changed, *library);
    library->AddCustomWebReport(changed);
    library->DeleteCustomWebReport(const_cast<CCustomWebReport*>(&report));
    m_doc->MarkModified();
    Refresh(Q(changed->GetName()));
    return changed;
}

CCustomWebReport* CCustomWebReportsDlg::CopySelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomWebReport* report = GetSelected();
    if (!library || !report || m_running)
        return nullptr;
    CCustomWebReport* copy = CCustomReportList::CopyWebReport(*library, *report);
    m_doc->MarkModified();
    Refresh(Q(copy->GetName()));
    return copy;
}

bool CCustomWebReportsDlg::DeleteSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    CCustomWebReport* report = GetSelected();
    if (!library || !report || m_running
        || !CMessageBox::Confirm(this, kTitle,
            QString("Delete the web report \"%1\"? The pages it wrote stay where they are.").arg(Q(report->GetName()))))
        return false;
    const int row = m_list->currentRow();
    library->DeleteCustomWebReport(report);
    m_doc->MarkModified();
    Refresh();
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    return true;
}

bool CCustomWebReportsDlg::RestoreDefaults()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library || m_running
        || !CMessageBox::Confirm(this, kTitle,
            "Put the default web reports back as a new Library has them? Reports named as a default one are "
            "replaced; your other reports stay."))
        return false;
    const QString selected = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    CCustomReportList::RestoreDefaultWebReports(*library);
    m_doc->MarkModified();
    Refresh(selected);
    return true;
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
    if (!entry || m_running)
        return false;
    CWebReportRunTally tally;
    const CCustomWebReport* ran = RunReports({ entry->data(Qt::UserRole).toInt() }, tally);
    if (ran && CFileUtils::DoesFileExist(ran->GetHomePage())
        && CMessageBox::Confirm(this, kTitle,
            QString("The web report \"%1\" is ready. Open its home page in your web browser?").arg(Q(ran->GetName()))))
        OpenHomePage(*ran);
    return tally.GetFailedCount() == 0;
}

bool CCustomWebReportsDlg::RunAll()
{
    if (m_running || m_list->count() == 0)
        return false;
    QList<int> indexes;
    for (int i = 0; i < m_list->count(); ++i)
        indexes << m_list->item(i)->data(Qt::UserRole).toInt();
    CWebReportRunTally tally;
    const CCustomWebReport* ran = RunReports(indexes, tally);
    QString summary = Q(tally.GetSummary());
    if (ran && CFileUtils::DoesFileExist(ran->GetHomePage())) {
        summary += QString("\n\nOpen the home page of \"%1\" in your web browser?").arg(Q(ran->GetName()));
        if (CMessageBox::Confirm(this, kTitle, summary))
            OpenHomePage(*ran);
    } else {
        CMessageBox::Inform(this, kTitle, summary);
    }
    return tally.GetFailedCount() == 0;
}

const CCustomWebReport* CCustomWebReportsDlg::RunReports(const QList<int>& indexes, CWebReportRunTally& tally)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    m_running = true;
    UpdateButtons();
    m_progress->show();
    m_status->show();
    const CCustomWebReport* offered = nullptr;
    const int selected = m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toInt() : -1;
    for (int index : indexes) {
        CCustomWebReport* report = library->GetCustomWebReportAt(index);
        if (!report)
            continue;
        const QString name = Q(report->GetName());
        if (!CCustomReportList::HasItems(*library, *report)) {
            tally.AddSkipped(report->GetName());
            AddMessage(QString("\"%1\" skipped: %2.").arg(name, Q(CWebReportRunTally::NO_ITEMS_REASON)));
            continue;
        }
        m_progress->setValue(0);
        AddMessage(QString("Running \"%1\"...").arg(name));
        library->RunCustomWebReport(
            report, [this, name](unsigned int, long long stage, long long value) { OnProgress(name, stage, value); });
        const CString error = report->GetRunErrorMsg();
        if (!error.empty()) {
            tally.AddFailed(report->GetName(), error);
            AddMessage(QString("\"%1\" did not finish: %2").arg(name, Q(error)));
            m_status->setText(QString("\"%1\" did not finish.").arg(name));
            continue;
        }
        tally.AddWritten(report->GetName());
        AddMessage(
            QString("\"%1\": the pages are in %2").arg(name, Q(CFileUtils::ParseDirFromPath(report->GetHomePage()))));
        // The selected report's pages are the ones offered, else the first
        // that ran.
        if (!offered || index == selected)
            offered = report;
    }
    m_running = false;
    UpdateButtons();
    return offered;
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
        m_status->setText(QString("\"%1\": writing the pages of %2...").arg(name, Q(CCountText::Of(value, "item"))));
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

void CCustomWebReportsDlg::OpenHomePage(const CCustomWebReport& report)
{
    const QString url = QUrl::fromLocalFile(Q(report.GetHomePage())).toString();
    QString reason;
    if (!CBrowserLauncher::Open(url, reason))
        CMessageBox::Warn(this, "Failed to Launch Browser", QString(kBrowserFailed).arg(url, reason));
}
