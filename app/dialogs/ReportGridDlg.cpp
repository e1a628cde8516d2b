#include "app/dialogs/ReportGridDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <cstdio>
#include <sys/stat.h>

#include "app/MessageBox.h"
#include "app/reports/ReportPrinter.h"
#include "app/views/ReportGrid.h"
#include "platform/util/FileUtils.h"

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
    QPushButton* pdf = buttons->addButton("Save as P&DF...", QDialogButtonBox::ActionRole);
    QPushButton* csv = buttons->addButton("&Export CSV...", QDialogButtonBox::ActionRole);
    csv->setEnabled(!table.rows.isEmpty());
    connect(print, &QPushButton::clicked, this, &CReportGridDlg::Print);
    connect(preview, &QPushButton::clicked, this, &CReportGridDlg::PrintPreview);
    connect(pdf, &QPushButton::clicked, this, &CReportGridDlg::SavePdfAs);
    connect(csv, &QPushButton::clicked, this, &CReportGridDlg::ExportCsvAs);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(720, 440);
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

QString CReportGridDlg::SuggestedPath(const QString& extension) const
{
    const QString name = QString::fromStdString(CFileUtils::ReplaceBadFileChars(windowTitle().toStdString()));
    return QDir::home().filePath((name.isEmpty() ? QString("Report") : name) + "." + extension);
}

void CReportGridDlg::SavePdfAs()
{
    const QString path
        = QFileDialog::getSaveFileName(this, "Save as PDF", SuggestedPath("pdf"), "PDF files (*.pdf);;All files (*)");
    QString error;
    if (!path.isEmpty() && !SavePdf(path, error))
        CMessageBox::Warn(this, windowTitle(), error);
}

void CReportGridDlg::ExportCsvAs()
{
    const QString path = QFileDialog::getSaveFileName(
        this, "Export CSV", SuggestedPath("csv"), "Comma-separated values (*.csv);;All files (*)");
    QString error;
    if (!path.isEmpty() && !ExportCsv(path, error))
        CMessageBox::Warn(this, windowTitle(), error);
}

bool CReportGridDlg::SavePdf(const QString& path, QString& error) const
{
    // Printed beside the target and renamed over it once whole.
    QTemporaryFile part(QFileInfo(path).absolutePath() + "/.XXXXXX.pdf");
    if (!part.open()) {
        error = QString("VemoLibrary was unable to write %1: %2").arg(path, part.errorString());
        return false;
    }
    part.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part.fileName());
    CReportPrinter(m_grid->GetTable(), m_context).SetUpPage(printer);
    PrintTo(printer);
    // The temporary file is the owner's alone; the PDF gets what a new file
    // (or the one it replaces) has.
    struct stat existing { };
    const QByteArray target = QFile::encodeName(path);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = ::stat(target.constData(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~mask;
    if (printer.printerState() == QPrinter::Error || QFileInfo(part.fileName()).size() == 0
        || ::chmod(QFile::encodeName(part.fileName()).constData(), mode) != 0
        || std::rename(QFile::encodeName(part.fileName()).constData(), target.constData()) != 0) {
        error = QString("VemoLibrary was unable to write %1.").arg(path);
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

bool CReportGridDlg::ExportCsv(const QString& path, QString& error) const
{
    QSaveFile file(path);
    // A byte-order mark tells spreadsheets that the text is UTF-8.
    const QByteArray bytes = "\xEF\xBB\xBF" + m_grid->GetTable().ToCsv().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QString("VemoLibrary was unable to write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
