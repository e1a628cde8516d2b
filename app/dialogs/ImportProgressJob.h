#pragma once
// An import that shows its progress and can be cancelled: cancelling stops
// at the next row and the library is put back as it was, like any import
// that does not finish.

#include <QPointer>

#include "data/store/ImportJob.h"

class QProgressDialog;
class QWidget;

class CImportProgressJob : public CImportJob {
public:
    // What the outcome's error names as the cause when cancelled.
    static inline const CString CANCELLED = "cancelled";

    CImportProgressJob(CLibrary& library, int mediaType);

    // Runs the import with a progress window over parent (none when null).
    CImportOutcome RunWithProgress(QWidget* parent);
    // Stops the import at the next row.
    void Cancel() { m_cancelled = true; }
    bool IsCancelled() const { return m_cancelled; }

protected:
    CMediaItem* ImportRow(const CMapStringToString& values) override;

private:
    QPointer<QProgressDialog> m_progress;
    int m_done = 0;
    bool m_cancelled = false;
};
