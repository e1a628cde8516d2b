#include "app/views/ReportView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/PrintReportRunner.h"
#include "app/reports/ReportPrinter.h"
#include "app/views/ReportGrid.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/Library.h"

CReportView::CReportView(CVemoLibraryDoc* doc, int reportType, QWidget* parent)
    : CView(doc, 0, parent)
    , m_reportType(reportType)
    , m_grid(new CReportGrid(this))
    , m_error(new QLabel(this))
{
    setObjectName("reportView");
    m_error->setWordWrap(true);
    m_error->hide();
    auto* print = new QPushButton("&Print...", this);
    auto* preview = new QPushButton("Print Pre&view...", this);
    connect(print, &QPushButton::clicked, this, &CReportView::Print);
    connect(preview, &QPushButton::clicked, this, &CReportView::PrintPreview);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(preview);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_error);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

void CReportView::OnInitialUpdate()
{
    Run();
}

void CReportView::OnUpdate(int hint)
{
    // Name lists do not change what the report shows.
    if (hint < CVemoLibraryDoc::HintArtists)
        Run();
}

QString CReportView::GetError() const
{
    return m_error->text();
}

void CReportView::Run()
{
    CLibrary* library = GetDocument() ? GetDocument()->GetLibrary() : nullptr;
    const CCustomPrintReport* basic = library ? library->GetCustomBasicReport(m_reportType) : nullptr;
    CReportTable table;
    CString error;
    if (basic) {
        // The basic report lists the type's items of every category.
        CCustomPrintReport report(*basic);
        library->PrepCustomPrintReport(&report, true, false, false, false);
        if (!CPrintReportRunner::Run(*library, report, table, error))
            table = CReportTable();
    }
    m_error->setText(QString::fromStdString(error));
    m_error->setVisible(!error.empty());
    m_grid->SetTable(table);
}

void CReportView::Print()
{
    if (!GetDocument())
        return;
    QPrinter printer(QPrinter::HighResolution);
    CReportPrinter(m_grid->GetTable(), GetDocument()->GetReportContext()).SetUpPage(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
}

void CReportView::PrintPreview()
{
    if (!GetDocument())
        return;
    QPrinter printer(QPrinter::HighResolution);
    CReportPrinter(m_grid->GetTable(), GetDocument()->GetReportContext()).SetUpPage(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(m_grid->GetTable().title);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

void CReportView::PrintTo(QPrinter& printer) const
{
    if (GetDocument())
        CReportPrinter(m_grid->GetTable(), GetDocument()->GetReportContext()).Print(printer);
}
