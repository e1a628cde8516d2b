#pragma once
// The online look-up off the window's thread. The program keeps one look-up
// service while the look-up settings stay the same, so that each source's
// rate limit holds across look-ups; a runner does one blocking call of it
// at a time on a thread of its own and hands the outcome back on the
// window's thread.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

#include "data/lookup/LookupService.h"

class CHttpTransport;
class QThread;

class CLookupRunner : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(const std::atomic<bool>& cancel)>;
    using Done = std::function<void(bool cancelled)>;

    explicit CLookupRunner(QObject* parent = nullptr);
    // Stops the running work and waits for its thread; done is not called.
    ~CLookupRunner() override;

    // The service for these settings: the one kept, or a new one when they
    // (or the test transport) changed. Jobs that run hold their own.
    static std::shared_ptr<CLookupService> Service(const CLookupOptions& options);
    // Tests answer from a transport of their own; null goes back to libcurl.
    static void SetTransportForTesting(std::shared_ptr<CHttpTransport> transport);

    // Runs work on a worker thread, then done on this object's thread.
    // False (nothing run) while other work runs.
    bool Start(Work work, Done done);
    bool IsRunning() const { return m_thread != nullptr; }
    // Asks the work to stop; done still follows, with cancelled true.
    void Cancel();

private:
    void OnThreadFinished();

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    Done m_done;
};
