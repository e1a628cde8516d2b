#include "app/dialogs/CustomWebReportsDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/CustomWebReportDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/reports/CustomReportList.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/WebReportIndex.h"
#include "data/store/Library.h"
#include "platform/util/CountText.h"
#include "platform/util/FileUtils.h"

namespace {

const char* const kTitle = "Custom Web Reports";
const char* const kBrowserFailed = "VemoLibrary was unable to launch your web browser. Please start your web browser "
                                   "and go to %1.\n\n%2";

// The stages a web report run reports through its progress callback.
enum RunStage { StageTemplatesRead = 0, StageItemsFiltered = 1, StageItemDone = 2, StageFinished = 3 };

} // namespace

CCustomWebReportsDlg::CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : CReportManagerDlg(doc, kTitle, "&Web reports of this Library:", parent)
    , m_messages(new QListWidget(this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_runAll(new QPushButton("Run &All", this))
{
    m_messages->setObjectName("runMessages");
    m_status->setObjectName("runStatus");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    // Shown from the first run on.
    m_progress->hide();
    m_status->hide();
    auto* run = new QPushButton("&Run", this);
    auto* add = new QPushButton("&New...", this);
    auto* edit = new QPushButton("&Edit...", this);
    auto* copy = new QPushButton("&Copy", this);
    auto* remove = new QPushButton("&Delete", this);
    auto* restore = new QPushButton("Restore De&faults...", this);
    run->setDefault(true);
    AddSideButtons({ run, m_runAll, nullptr, add, edit, copy, remove, nullptr, restore }, { run, edit, copy, remove });
    GetExtraLayout()->addWidget(m_status);
    GetExtraLayout()->addWidget(m_progress);
    GetExtraLayout()->addWidget(BuddyLabel("What the runs &said:", m_messages, this));
    GetExtraLayout()->addWidget(m_messages, 1);
    resize(560, 560);

    connect(run, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunSelected);
    connect(m_runAll, &QPushButton::clicked, this, &CCustomWebReportsDlg::RunAll);
    connect(add, &QPushButton::clicked, this, &CCustomWebReportsDlg::NewReport);
    connect(edit, &QPushButton::clicked, this, &CCustomWebReportsDlg::EditSelected);
    connect(copy, &QPushButton::clicked, this, &CCustomWebReportsDlg::CopySelected);
    connect(remove, &QPushButton::clicked, this, &CCustomWebReportsDlg::DeleteSelected);
    connect(restore, &QPushButton::clicked, this, &CCustomWebReportsDlg::RestoreDefaults);
    connect(GetList(), &QListWidget::itemDoubleClicked, this, &CCustomWebReportsDlg::EditSelected);
    Refresh();
}

int CCustomWebReportsDlg::GetReportCount(const CLibrary& library) const
{
    return library.GetCustomWebReportCount();
}

CCustomReport* CCustomWebReportsDlg::GetReportAt(const CLibrary& library, int index) const
{
    return library.GetCustomWebReportAt(index);
}

void CCustomWebReportsDlg::UpdateButtons()
{
    CReportManagerDlg::UpdateButtons();
    m_runAll->setEnabled(!m_running && GetList()->count() > 0);
}

CCustomWebReport* CCustomWebReportsDlg::GetSelected() const
{
    return static_cast<CCustomWebReport*>(GetSelectedReport());
}

std::vector<CString> CCustomWebReportsDlg::OtherHomePages(const CCustomWebReport* except) const
{
    std::vector<CString> pages;
    const CLibrary* library = GetLibrary();
    for (int i = 0; library && i < library->GetCustomWebReportCount(); ++i)
        if (const CCustomWebReport* report = library->GetCustomWebReportAt(i); report && report != except)
            pages.push_back(report->GetHomePage());
    return pages;
}

CCustomWebReport* CCustomWebReportsDlg::NewReport()
{
    const CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    CCustomWebReportEditor editor;
    StartNew(editor);
    CCustomWebReportDlg dlg(*library, editor, OtherNames(nullptr), OtherHomePages(nullptr), true, this);
    if (dlg.exec() != QDialog::Accepted || !GetLibrary())
        return nullptr;
    return AddReport(dlg.GetEditor());
}

CCustomWebReport* CCustomWebReportsDlg::AddReport(const CCustomWebReportEditor& editor)
{
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    CCustomWebReport* report = CCustomReportList::KeepWebReport(*library, editor);
    NoteChanged(Q(report->GetName()));
    return report;
}

CCustomWebReport* CCustomWebReportsDlg::EditSelected()
{
    CLibrary* library = GetLibrary();
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
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    CCustomWebReport* changed = CCustomReportList::KeepWebReport(*library, editor, &report);
    NoteChanged(Q(changed->GetName()));
    return changed;
}

CCustomWebReport* CCustomWebReportsDlg::CopySelected()
{
    CLibrary* library = GetLibrary();
    const CCustomWebReport* report = GetSelected();
    if (!library || !report || m_running)
        return nullptr;
    CCustomWebReport* copy = CCustomReportList::CopyWebReport(*library, *report);
    NoteChanged(Q(copy->GetName()));
    return copy;
}

bool CCustomWebReportsDlg::DeleteSelected()
{
    const CCustomWebReport* report = GetSelected();
    return report
        && DeleteSelectedAfter(
            QString("Delete the web report \"%1\"? The pages it wrote stay where they are.").arg(Q(report->GetName())),
            [](CLibrary& library, int index) { library.DeleteCustomWebReport(library.GetCustomWebReportAt(index)); });
}

bool CCustomWebReportsDlg::RestoreDefaults()
{
    CLibrary* library = GetLibrary();
    if (!library || m_running
        || !CMessageBox::Confirm(this, kTitle,
            "Put the default web reports back as a new Library has them? Reports named as a default one are "
            "replaced; your other reports stay."))
        return false;
    const QString selected = GetList()->currentItem() ? GetList()->currentItem()->text() : QString();
    CCustomReportList::RestoreDefaultWebReports(*library);
    NoteChanged(selected);
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
    const int index = GetSelectedIndex();
    if (index < 0 || m_running)
        return false;
    CWebReportRunTally tally;
    const CCustomWebReport* ran = RunReports({ index }, tally);
    if (ran && CFileUtils::DoesFileExist(ran->GetHomePage())
        && CMessageBox::Confirm(this, kTitle,
            QString("The web report \"%1\" is ready. Open its home page in your web browser?").arg(Q(ran->GetName()))))
        OpenHomePage(*ran);
    return tally.GetFailedCount() == 0;
}

bool CCustomWebReportsDlg::RunAll()
{
    if (m_running || GetList()->count() == 0)
        return false;
    QList<int> indexes;
    for (int i = 0; i < GetList()->count(); ++i)
        indexes << GetList()->item(i)->data(Qt::UserRole).toInt();
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
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    m_running = true;
    UpdateButtons();
    m_progress->show();
    m_status->show();
    const CCustomWebReport* offered = nullptr;
    const int selected = GetSelectedIndex();
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
        CString indexError;
        if (!CWebReportIndex::RecordRun(*library, *report, &indexError))
            AddMessage(QString("The index of the web reports was not written: %1").arg(Q(indexError)));
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
