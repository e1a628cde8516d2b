#pragma once
// The online look-up of the item on a media view's form: the search on a
// worker thread with progress and Cancel, the chooser (covers coming in as
// they arrive), the chosen candidate's details and cover on the worker, and
// the fill on the window's thread. The last fill is kept so that it can be
// undone in one step.

#include <QObject>
#include <QPointer>
#include <memory>

#include "data/lookup/LookupFill.h"
#include "data/lookup/LookupService.h"

class CLookupChooserDlg;
class CLookupRunner;
class CMediaItem;
class CVemoLibraryDoc;
class QProgressDialog;
class QWidget;

class CItemLookup : public QObject {
    Q_OBJECT

public:
    // Messages and dialogs go to parent.
    CItemLookup(CVemoLibraryDoc* doc, int mediaType, QWidget* parent);
    ~CItemLookup() override;

    // Looks the text up for item, which stays on screen meanwhile (the view
    // calls Cancel before it shows another). catalogNumber: the text comes
    // from a catalogue number field.
    void Start(CMediaItem* item, const QString& text, bool catalogNumber);
    // Whether a source that is on can take the text (nothing is asked).
    bool CanLookUp(const QString& text, bool catalogNumber) const;
    bool IsRunning() const;
    // Stops what runs; nothing is filled.
    void Cancel();

    // Whether the last fill was of item and can be undone.
    bool CanUndo(const CMediaItem* item) const;
    // Puts back what the last fill changed in item; false when there is none.
    bool Undo(CMediaItem* item);
    // The item is about to change or go: its fill can no longer be undone
    // (null: any item's).
    void Forget(const CMediaItem* item = nullptr);

    // While they are shown, for tests.
    QProgressDialog* Progress() const;
    CLookupChooserDlg* Chooser() const;
    // Where covers are saved.
    CString PictureDir() const;

signals:
    // The item was filled (or a fill undone): the form shows it again.
    // changed: the properties whose text changed.
    void ItemFilled(CMediaItem* item, const CStringArray& changed);
    // A look-up started or ended, or what can be undone changed.
    void StateChanged();

private:
    struct CSearch;

    std::shared_ptr<CLookupService> Service() const;
    void OnSearched(std::shared_ptr<CSearch> search, bool cancelled);
    void Choose(std::shared_ptr<CSearch> search);
    void FetchThumbnails(std::shared_ptr<CSearch> search);
    void Fill(std::shared_ptr<CSearch> search, int chosen, bool replace);
    void ShowProgress(const QString& text);
    void HideProgress();
    void Finish();

    CVemoLibraryDoc* m_doc;
    int m_mediaType;
    QWidget* m_parent;
    CLookupRunner* m_runner;
    CLookupRunner* m_thumbnails;
    QPointer<QProgressDialog> m_progress;
    QPointer<CLookupChooserDlg> m_chooser;
    CMediaItem* m_item = nullptr; // the item being looked up
    // Covers for the open chooser, to be fetched once the previous chooser's
    // fetch has ended (it may sit in a slow request after being cancelled).
    std::shared_ptr<CSearch> m_waitingForThumbnails;

    // The last fill: its item and what it changed.
    CMediaItem* m_filledItem = nullptr;
    CLookupChange m_change;
};
