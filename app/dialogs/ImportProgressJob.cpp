#include "app/dialogs/ImportProgressJob.h"

#include <QProgressDialog>
#include <stdexcept>

CImportProgressJob::CImportProgressJob(CLibrary& library, int mediaType)
    : CImportJob(library, mediaType)
{
}

CImportOutcome CImportProgressJob::RunWithProgress(QWidget* parent)
{
    m_done = 0;
    m_cancelled = false;
    int chosen = 0;
    for (int i = 0; i < GetRowCount(); ++i)
        if (GetRow(i).chosen)
            ++chosen;
    if (parent) {
        m_progress = new QProgressDialog("Importing the rows...", "Cancel", 0, chosen, parent);
        m_progress->setWindowTitle("Import");
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(500);
        QObject::connect(m_progress, &QProgressDialog::canceled, [this] { Cancel(); });
    }
    CImportOutcome outcome = Run(false);
    delete m_progress.data();
    return outcome;
}

CMediaItem* CImportProgressJob::ImportRow(const CMapStringToString& values)
{
    // The progress window lets the event loop run: a click on Cancel lands
    // here before the next row.
    if (m_progress)
        m_progress->setValue(++m_done);
    if (m_cancelled)
        throw std::runtime_error(CANCELLED);
    return CImportJob::ImportRow(values);
}
