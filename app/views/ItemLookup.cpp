#include "app/views/ItemLookup.h"

#include <QByteArray>
#include <QProgressDialog>
#include <utility>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/LookupChooserDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/LookupRunner.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PublisherMgr.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "net/lookup/ProductCodes.h"
#include "platform/appcfg/AppPaths.h"

namespace {

const char* const TITLE = "Look up";

// Thumbnails are fetched for the first rows only: the services space their
// requests, and the collector chooses long before the last would come.
constexpr int THUMBNAIL_ROWS = 10;

} // namespace

// One look-up from the search to the fill; shared with the worker, which
// writes only the parts of the step it runs.
struct CItemLookup::CSearch {
    std::shared_ptr<CLookupService> service;
    CLookupQuery query;
    CLookupResult result;
    // The chosen candidate made ready, its cover, and why it failed.
    CLookupCandidate chosen;
    CCoverImage cover;
    CString error;
    bool prepared = false;
};

CItemLookup::CItemLookup(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_mediaType(mediaType)
    , m_parent(parent)
    , m_runner(new CLookupRunner(this))
    , m_thumbnails(new CLookupRunner(this))
{
}

CItemLookup::~CItemLookup()
{
    // The workers stop and end before anything they report to goes.
    delete m_thumbnails;
    delete m_runner;
    delete m_progress.data();
}

QProgressDialog* CItemLookup::Progress() const
{
    return m_progress;
}

CLookupChooserDlg* CItemLookup::Chooser() const
{
    return m_chooser;
}

std::shared_ptr<CLookupService> CItemLookup::Service() const
{
    const CVemoLibrarySettings* settings = m_doc ? m_doc->GetSettings() : nullptr;
    return CLookupRunner::Service(settings ? settings->GetLookupOptions() : CLookupOptions());
}

CString CItemLookup::PictureDir() const
{
    const CVemoLibrarySettings* settings = m_doc ? m_doc->GetSettings() : nullptr;
    const CString dataDir = settings ? settings->GetDataFolder().Dir() : CAppPaths::DataDir();
    return dataDir + "Pictures/";
}

bool CItemLookup::CanLookUp(const QString& text, bool catalogNumber) const
{
    CString why;
    return Service()->CanLookUp(CLookupQuery::FromText(text.toStdString(), m_mediaType, catalogNumber), why);
}

bool CItemLookup::IsRunning() const
{
    // A cancelled worker may still be ending.
    return m_item != nullptr || m_runner->IsRunning();
}

void CItemLookup::Start(CMediaItem* item, const QString& text, bool catalogNumber)
{
    if (!item || IsRunning())
        return;
    if (text.trimmed().isEmpty()) {
        CMessageBox::Warn(
            m_parent, TITLE, "There is nothing to look up: type the ISBN, barcode, catalogue number or title first.");
        return;
    }
    // A misread scan or a typing slip in a code would otherwise be searched
    // as a title and could fill the item with another book.
    const CString code = CProductCodes::Normalize(text.trimmed().toStdString());
    if (!catalogNumber && (code.size() == 10 || code.size() == 12 || code.size() == 13)
        && CProductCodes::Classify(code) == CProductCodes::NONE) {
        CMessageBox::Warn(m_parent, TITLE,
            QString("\"%1\" is no valid ISBN or barcode: its check digit does not match. Nothing was looked up.")
                .arg(text.trimmed()));
        return;
    }
    auto search = std::make_shared<CSearch>();
    search->service = Service();
    search->query = CLookupQuery::FromText(text.toStdString(), m_mediaType, catalogNumber);
    CString why;
    if (!search->service->CanLookUp(search->query, why)) {
        CMessageBox::Warn(m_parent, TITLE, Q(why));
        return;
    }
    m_item = item;
    emit StateChanged();
    ShowProgress(QString("Looking up %1...").arg(Q(search->query.Describe())));
    m_runner->Start(
        [search](const std::atomic<bool>& cancel) { search->result = search->service->Search(search->query, &cancel); },
        [this, search](bool cancelled) { OnSearched(search, cancelled); });
}

void CItemLookup::OnSearched(std::shared_ptr<CSearch> search, bool cancelled)
{
    HideProgress();
    if (cancelled || search->result.cancelled || !m_item) {
        Finish();
        return;
    }
    if (search->result.candidates.empty()) {
        CMessageBox::Inform(m_parent, TITLE, Q(search->result.Message(search->query)));
        Finish();
        return;
    }
    Choose(search);
}

void CItemLookup::Choose(std::shared_ptr<CSearch> search)
{
    QString what = Q(search->query.Describe());
    // A source that failed is told beside what the others found.
    for (INT_PTR i = 0; i < search->result.problems.GetSize(); ++i)
        what += "\n" + Q(search->result.problems[i]);
    QPointer<CItemLookup> self(this);
    QPointer<CLookupChooserDlg> chooser = new CLookupChooserDlg(search->result.candidates, what, m_parent);
    m_chooser = chooser;
    FetchThumbnails(search);
    const bool accepted = chooser->exec() == QDialog::Accepted;
    // The form (and this with it) may have gone while the chooser was open.
    if (!self || !chooser)
        return;
    const bool chosen = accepted && m_item;
    const int row = chooser->Chosen();
    const bool replace = chooser->Replace();
    m_waitingForThumbnails.reset();
    m_thumbnails->Cancel();
    delete chooser;
    if (!chosen || row < 0) {
        Finish();
        return;
    }
    Fill(search, row, replace);
}

void CItemLookup::FetchThumbnails(std::shared_ptr<CSearch> search)
{
    if (!m_chooser)
        return;
    if (m_thumbnails->IsRunning()) {
        m_waitingForThumbnails = search;
        m_thumbnails->Cancel();
        return;
    }
    // Each cover goes to its chooser as it comes, if that is still open.
    // This object outlives the worker (its destructor waits for it), so
    // posting to it is safe; the chooser is looked at on this thread only.
    m_thumbnails->Start(
        [candidates = search->result.candidates, service = search->service, receiver = this, chooser = m_chooser](
            const std::atomic<bool>& cancel) {
            const int rows = std::min<int>(static_cast<int>(candidates.size()), THUMBNAIL_ROWS);
            for (int row = 0; row < rows && !cancel.load(); ++row) {
                CCoverImage cover;
                CString error;
                if (candidates[row].coverUrl.empty() || !service->FetchThumbnail(candidates[row], cover, error, &cancel)
                    || cover.IsEmpty())
                    continue;
                const QByteArray bytes(cover.bytes.data(), static_cast<qsizetype>(cover.bytes.size()));
                QMetaObject::invokeMethod(
                    receiver,
                    [chooser, row, bytes] {
                        if (chooser)
                            chooser->SetCover(row, bytes);
                    },
                    Qt::QueuedConnection);
            }
        },
        [this](bool) {
            if (std::shared_ptr<CSearch> next = std::exchange(m_waitingForThumbnails, nullptr))
                FetchThumbnails(next);
        });
}

void CItemLookup::Fill(std::shared_ptr<CSearch> search, int row, bool replace)
{
    CLookupFillOptions options;
    options.replace = replace;
    options.pictureDir = PictureDir();
    search->chosen = search->result.candidates.at(static_cast<std::size_t>(row));
    const bool withCover = CLookupFill::WantsCover(*m_item, options);
    ShowProgress(QString("Fetching \"%1\" from %2...")
                     .arg(Q(search->chosen.Value(CMediaUtils::MEDIA_PROP_TITLE)), Q(search->chosen.sourceName)));
    m_runner->Start(
        [search, withCover](const std::atomic<bool>& cancel) {
            search->prepared
                = search->service->Prepare(search->chosen, withCover, search->cover, search->error, &cancel);
        },
        [this, search, options](bool cancelled) {
            HideProgress();
            CMediaItem* item = m_item;
            if (cancelled || !item) {
                Finish();
                return;
            }
            if (!search->prepared) {
                CMessageBox::Warn(m_parent, TITLE, Q(search->error) + "\nNothing was changed.");
                Finish();
                return;
            }
            CPublisherMgr* publishers = CPublisherMgr::GetInstance();
            const int publisherCount = publishers ? publishers->GetCount() : 0;
            CLookupChange change;
            CString error;
            if (!CLookupFill::Apply(*item, search->chosen, search->cover, options, change, error)) {
                CMessageBox::Warn(m_parent, TITLE, Q(error) + "\nNothing was changed.");
                Finish();
                return;
            }
            // A publisher the look-up named is new to the shared list.
            if (m_doc && publishers && publishers->GetCount() != publisherCount)
                m_doc->SharedDataChanged();
            Finish();
            if (change.IsEmpty()) {
                CMessageBox::Inform(m_parent, TITLE,
                    "Nothing was filled: every field the look-up answered is filled in already. Tick Replace to "
                    "overwrite them.");
                return;
            }
            const CStringArray changed = change.ChangedProperties();
            m_filledItem = item;
            m_change = std::move(change);
            emit ItemFilled(item, changed);
            emit StateChanged();
        });
}

void CItemLookup::ShowProgress(const QString& text)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_parent);
        m_progress->setWindowTitle(TITLE);
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setRange(0, 0);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        connect(m_progress, &QProgressDialog::canceled, this, &CItemLookup::Cancel);
    }
    m_progress->setLabelText(text);
    m_progress->show();
}

void CItemLookup::HideProgress()
{
    if (m_progress)
        m_progress->hide();
}

void CItemLookup::Finish()
{
    m_item = nullptr;
    emit StateChanged();
}

void CItemLookup::Cancel()
{
    if (!m_item)
        return;
    m_runner->Cancel();
    m_waitingForThumbnails.reset();
    m_thumbnails->Cancel();
    HideProgress();
    if (m_chooser)
        m_chooser->reject();
    m_item = nullptr;
    emit StateChanged();
}

bool CItemLookup::CanUndo(const CMediaItem* item) const
{
    return item && item == m_filledItem && !IsRunning();
}

bool CItemLookup::Undo(CMediaItem* item)
{
    if (!CanUndo(item))
        return false;
    // The item must still be the library's: a pointer alone may be reused.
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    bool found = false;
    for (POSITION pos = library ? library->GetHeadItem(m_mediaType) : nullptr; pos && !found;)
        found = library->GetNextItem(m_mediaType, pos) == item;
    if (!found) {
        Forget();
        return false;
    }
    CLookupFill::Undo(*item, m_change);
    const CStringArray changed = m_change.ChangedProperties();
    Forget();
    emit ItemFilled(item, changed);
    return true;
}

void CItemLookup::Forget(const CMediaItem* item)
{
    if (!m_filledItem || (item && item != m_filledItem))
        return;
    m_filledItem = nullptr;
    m_change = CLookupChange();
    emit StateChanged();
}
