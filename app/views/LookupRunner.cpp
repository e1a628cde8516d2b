#include "app/views/LookupRunner.h"

#include <QThread>
#include <mutex>

#include "net/lookup/HttpTransport.h"

namespace {

struct CKeptService {
    std::mutex mutex;
    std::shared_ptr<CHttpTransport> transport; // null: libcurl's
    std::shared_ptr<CLookupService> service;
    CLookupOptions options;
};

CKeptService& Kept()
{
    static CKeptService kept;
    return kept;
}

bool SameOptions(const CLookupOptions& a, const CLookupOptions& b)
{
    return a.sources == b.sources && a.filmApiKey == b.filmApiKey;
}

} // namespace

CLookupRunner::CLookupRunner(QObject* parent)
    : QObject(parent)
{
}

CLookupRunner::~CLookupRunner()
{
    if (!m_thread)
        return;
    // The requests poll the flag, so the thread ends within moments.
    m_cancel->store(true);
    disconnect(m_thread, nullptr, this, nullptr);
    m_thread->wait();
    delete m_thread;
}

std::shared_ptr<CLookupService> CLookupRunner::Service(const CLookupOptions& options)
{
    CKeptService& kept = Kept();
    std::lock_guard<std::mutex> lock(kept.mutex);
    if (!kept.service || !SameOptions(kept.options, options)) {
        kept.service = std::make_shared<CLookupService>(options, kept.transport);
        kept.options = options;
    }
    return kept.service;
}

void CLookupRunner::SetTransportForTesting(std::shared_ptr<CHttpTransport> transport)
{
    CKeptService& kept = Kept();
    std::lock_guard<std::mutex> lock(kept.mutex);
    kept.transport = std::move(transport);
    kept.service.reset();
}

bool CLookupRunner::Start(Work work, Done done)
{
    if (m_thread)
        return false;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_done = std::move(done);
    // The thread holds its own share of the flag: it may outlive a cancel.
    m_thread = QThread::create([work = std::move(work), cancel = m_cancel] { work(*cancel); });
    connect(m_thread, &QThread::finished, this, &CLookupRunner::OnThreadFinished, Qt::QueuedConnection);
    m_thread->start();
    return true;
}

void CLookupRunner::Cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}

void CLookupRunner::OnThreadFinished()
{
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    delete thread;
    const bool cancelled = m_cancel && m_cancel->load();
    Done done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(cancelled);
}
