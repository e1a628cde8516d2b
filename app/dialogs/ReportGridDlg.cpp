#include "app/dialogs/ReportGridDlg.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/reports/ReportPrinter.h"
#include "app/views/ReportGrid.h"

CReportGridDlg::CReportGridDlg(const CReportTable& table, const ReportContext& context, QWidget* parent)
    : QDialog(parent)
    , m_grid(new CReportGrid(this))
    , m_context(context)
{
    CFont** fonts[] = { &m_context.headerFont, &m_context.contentFont, &m_context.footerFont };
    for (int i = 0; i < 3; ++i)
        if (*fonts[i]) {
            m_fonts[i] = **fonts[i];
            *fonts[i] = &m_fonts[i];
        }
    setWindowTitle(table.title);
    setAttribute(Qt::WA_DeleteOnClose);
    m_grid->SetTable(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* print = buttons->addButton("&Print...", QDialogButtonBox::ActionRole);
    QPushButton* preview = buttons->addButton("Print Pre&view...", QDialogButtonBox::ActionRole);
    connect(print, &QPushButton::clicked, this, &CReportGridDlg::Print);
    connect(preview, &QPushButton::clicked, this, &CReportGridDlg::PrintPreview);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

void CReportGridDlg::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    CReportPrinter(m_grid->GetTable(), m_context).SetUpPage(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
}

void CReportGridDlg::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    CReportPrinter(m_grid->GetTable(), m_context).SetUpPage(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(windowTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

void CReportGridDlg::PrintTo(QPrinter& printer) const
{
    CReportPrinter(m_grid->GetTable(), m_context).Print(printer);
}
