#include "app/dialogs/CustomPrintReportsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/PrintReportRunner.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/Library.h"

namespace {
const char* const kTitle = "Custom Print Reports";
} // namespace

CCustomPrintReportsDlg::CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_list(new QListWidget(this))
{
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_run = buttons->addButton("&Run", QDialogButtonBox::ActionRole);
    connect(m_run, &QPushButton::clicked, this, &CCustomPrintReportsDlg::RunSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CCustomPrintReportsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CCustomPrintReportsDlg::RunSelected);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Printed reports of this Library:", this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    Refresh();
}

void CCustomPrintReportsDlg::Refresh()
{
    m_list->clear();
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const int count = library ? library->GetCustomPrintReportCount() : 0;
    for (int i = 0; i < count; ++i)
        if (const CCustomPrintReport* report = library->GetCustomPrintReportAt(i)) {
            auto* entry = new QListWidgetItem(QString::fromStdString(report->GetName()), m_list);
            entry->setData(Qt::UserRole, i);
        }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    UpdateButtons();
}

void CCustomPrintReportsDlg::UpdateButtons()
{
    m_run->setEnabled(m_list->currentItem() != nullptr);
}

CReportGridDlg* CCustomPrintReportsDlg::RunSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const QListWidgetItem* entry = m_list->currentItem();
    const CCustomPrintReport* report
        = library && entry ? library->GetCustomPrintReportAt(entry->data(Qt::UserRole).toInt()) : nullptr;
    if (!report)
        return nullptr;
    CReportTable table;
    CString error;
    if (!CPrintReportRunner::Run(*library, *report, table, error)) {
        CMessageBox::Warn(this, kTitle, QString::fromStdString(error));
        return nullptr;
    }
    // The grid belongs to the main window, so it stays when the list closes.
    auto* grid = new CReportGridDlg(table, m_doc->GetReportContext(), parentWidget());
    grid->show();
    return grid;
}
