#include "app/doc/VemoLibraryDoc.h"

#include <QApplication>
#include <QGuiApplication>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/VemoApplication.h"
#include "app/dialogs/LibraryCopyDlg.h"
#include "app/dialogs/LibraryDeleteDlg.h"
#include "app/dialogs/LibraryRenameDlg.h"
#include "app/dialogs/LibraryRestoreDlg.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/MediaTypesDlg.h"
#include "app/dialogs/VemoLibraryNotesDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/ReportWindows.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/session/LibraryNames.h"
#include "data/session/SessionPrompts.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/SharedData.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Clock.h"
#include "platform/util/FileUtils.h"

namespace {

const char* const kCloseQuestion
    = "VemoLibrary was unable to save the Library data file.\n\nThe changes to the Library \"%1\" are not on disk. "
      "Try again (after making room on the disk, for example), close VemoLibrary without them, or stay open?";
const char* const kSwitchQuestion
    = "VemoLibrary was unable to save the Library data file.\n\nThe changes to the Library \"%1\" are not on disk. "
      "Try again (after making room on the disk, for example), open the other Library without them, or stay with "
      "this one?";

// The wait cursor while a library is read or written.
class CWaitCursor {
public:
    CWaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor), m_set = true;
    }
    ~CWaitCursor()
    {
        if (m_set)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_set = false;
};

} // namespace

// The session's messages and questions as message boxes.
class CVemoLibraryDoc::CPrompts : public CSessionPrompts {
public:
    explicit CPrompts(const QPointer<QWidget>& parent)
        : m_parent(parent)
    {
    }
    void Tell(const CString& title, const CString& text) override { CMessageBox::Warn(m_parent, Q(title), Q(text)); }
    bool Confirm(const CString& title, const CString& text) override
    {
        return CMessageBox::Confirm(m_parent, Q(title), Q(text));
    }
    int Choose(const CString& title, const CString& text, const std::vector<CString>& choices) override
    {
        QStringList buttons;
        for (const CString& choice : choices)
            buttons << Q(choice);
        return CMessageBox::Current().Choose(m_parent, Q(title), Q(text), buttons);
    }

private:
    const QPointer<QWidget>& m_parent;
};

CVemoLibraryDoc::CVemoLibraryDoc(CVemoLibrarySettings* settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_prompts(std::make_unique<CPrompts>(m_dialogParent))
    , m_session(std::make_unique<CLibrarySession>(
          settings ? settings->GetApplicationPath() : CString(), CDataFolder::APP_NAME, *m_prompts))
    , m_reportWindows(new CReportWindows(this))
    , m_commands(new CLibraryCommands(this))
{
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        if (DoIdleWork())
            ScheduleIdle();
    });
}

CVemoLibraryDoc::~CVemoLibraryDoc()
{
    CloseLibrary();
}

CString CVemoLibraryDoc::DataDir() const
{
    return m_settings ? m_settings->GetApplicationPath() : CString();
}

void CVemoLibraryDoc::SetAutoIdle(bool on)
{
    m_autoIdle = on;
    if (!on)
        m_idleTimer.stop();
}

// Idle passes run only while there is work they may do: a save that is
// neither switched off nor waiting for a change after a failure, a stale
// name list, a search index.
bool CVemoLibraryDoc::HasIdleWork() const
{
    if (!GetLibrary() || !m_saveEnabled)
        return false;
    if (m_session->MayIdleSave() || m_searchPrepPending)
        return true;
    for (bool stale : m_listStale)
        if (stale)
            return true;
    return false;
}

bool CVemoLibraryDoc::IsAtRest() const
{
    return !HasIdleWork() && !(GetLibrary() && GetLibrary()->IsSearchBuilding());
}

void CVemoLibraryDoc::ScheduleIdle()
{
    if (m_autoIdle && !m_idleTimer.isActive() && HasIdleWork())
        m_idleTimer.start();
}

bool CVemoLibraryDoc::OnNewDocument()
{
    if (!m_settings) {
        VemoLog("{8C5B1E4A-2F0D-4C7B-9E61-3A5D7F2B9C10}");
        return true;
    }
    if (!CPublisherMgr::GetInstance() || !CPersonMgr::GetInstance() || !CMagazineMgr::GetInstance()) {
        VemoLog("{1E7A3C95-6B2D-4F80-A4C7-D09E5B1F3A26}");
        return false;
    }
    LoadSharedData();
    m_settings->RefreshLibraryList();
    if (m_settings->GetLibraryCount() > 0)
        OpenLibrary(m_settings->GetCurrentLibrary(), false);
    return true;
}

bool CVemoLibraryDoc::OpenLibrary(const CString& name, bool isNew)
{
    // Changes that cannot be saved are not dropped unasked.
    if (!QueryClose(true))
        return false;
    CWaitCursor wait;
    CloseLibrary();
    if (name.empty()) {
        VemoLog("{4A0F6D2C-93B1-4E57-8C2A-6F1D0B7E5A93}");
        return false;
    }
    if (!m_settings || !m_session->Open(name, CLibrarySession::Access::Interactive, isNew))
        return false;
    m_settings->SetCurrentLibrary(name);
    SaveSettingsNow();
    // The converter may have written a wish list library beside it.
    if (m_session->WasConverted())
        m_settings->RefreshLibraryList();
    emit TitleChanged(Q(name));
    RefreshReportContext();
    PrepareSearchAtIdle();
    return true;
}

void CVemoLibraryDoc::CloseLibrary()
{
    if (!GetLibrary())
        return;
    TakeSearchStrings();
    m_reportWindows->CloseManagers();
    if (IsModified()) {
        m_closing = true;
        Save(SaveKind::Explicit);
        m_closing = false;
    }
    DiscardLibrary();
}

bool CVemoLibraryDoc::QueryClose(bool switching)
{
    if (!GetLibrary())
        return true;
    TakeSearchStrings();
    while (IsModified()) {
        if (m_session->NeedsOverwriteConsent()) {
            m_closing = true;
            const bool consent = AskOverwrite(SaveKind::Explicit);
            m_closing = false;
            // Declined: the file stays as it was, as the user chose.
            if (!consent) {
                DiscardLibrary();
                return true;
            }
        }
        CWaitCursor wait;
        if (m_session->Save(SaveKind::Quiet))
            break;
        const int choice = switching
            ? CMessageBox::Current().Choose(m_dialogParent, Q(CLibrarySession::PROBLEM_TITLE),
                QString(kSwitchQuestion).arg(Q(GetLibraryName())), { "Try Again", "Open Without Them", "Stay" })
            : CMessageBox::Current().Choose(m_dialogParent, Q(CLibrarySession::PROBLEM_TITLE),
                QString(kCloseQuestion).arg(Q(GetLibraryName())), { "Try Again", "Close Without Saving", "Stay Open" });
        if (choice == 1) {
            DiscardLibrary();
            return true;
        }
        if (choice != 0)
            return false;
    }
    return true;
}

void CVemoLibraryDoc::ReleaseLibraryViews()
{
    if (m_searchDlg) {
        // Its results point into the library.
        m_searchDlg->disconnect(this);
        m_searchDlg->ClearResults();
        m_searchDlg->close();
        m_searchDlg->deleteLater();
        m_searchDlg.clear();
    }
    m_reportWindows->CloseManagers();
    emit LibraryClosing();
}

void CVemoLibraryDoc::ForgetLibraryState()
{
    for (bool& stale : m_listStale)
        stale = false;
    m_searchPrepPending = false;
    m_reportContext = ReportContext();
}

void CVemoLibraryDoc::DiscardLibrary()
{
    if (!GetLibrary())
        return;
    ReleaseLibraryViews();
    m_session->Close();
    ForgetLibraryState();
}

bool CVemoLibraryDoc::SaveLibrary()
{
    return Save(SaveKind::Explicit);
}

bool CVemoLibraryDoc::Save(SaveKind kind)
{
    if (!GetLibrary()) {
        VemoLog("{C81F5A3D-4E2B-4B96-9A07-E3D6B1C8F452}");
        return false;
    }
    // A change made while saving is switched off stays marked, so that the
    // next pass writes it.
    if (!m_saveEnabled || GetFilePath().empty() || !AskOverwrite(kind))
        return false;
    CWaitCursor wait;
    return m_session->Save(kind);
}

bool CVemoLibraryDoc::AskOverwrite(SaveKind kind)
{
    CLibrarySession& session = *m_session;
    if (!session.NeedsOverwriteConsent())
        return true;
    if (kind == SaveKind::Idle && session.OverwriteRefused())
        return false;
    // While the library closes it cannot be replaced by the copy.
    const CString copy = m_closing ? CString() : session.GetLoadCopy();
    const QString title = Q(CLibrarySession::PROBLEM_TITLE);
    const QString question = Q(session.OverwriteQuestion(!copy.empty()));
    if (copy.empty()) {
        const bool consent = CMessageBox::Confirm(m_dialogParent, title, question);
        session.AnswerOverwrite(consent);
        return consent;
    }
    const int choice
        = CMessageBox::Current().Choose(m_dialogParent, title, question, { "Save", "Restore Copy", "Don't Save" });
    session.AnswerOverwrite(choice == 0);
    if (choice == 1)
        RestoreLibrary(copy, true);
    return choice == 0;
}

void CVemoLibraryDoc::LoadSharedData()
{
    if (m_settings)
        m_session->LoadSharedData(CLibrarySession::Access::Interactive);
}

bool CVemoLibraryDoc::SaveSharedData()
{
    if (!m_settings || !CPublisherMgr::GetInstance() || !CPersonMgr::GetInstance() || !CMagazineMgr::GetInstance())
        return false;
    const bool saved = m_session->SaveSharedData();
    // Records of this program whose ids another one took moved, and the
    // library's items with them.
    ScheduleIdle();
    return saved;
}

void CVemoLibraryDoc::MarkModified()
{
    m_session->MarkModified();
    ScheduleIdle();
}

void CVemoLibraryDoc::MarkItemModified(const CItem* item)
{
    if (!GetLibrary())
        return;
    if (item)
        GetLibrary()->NoteItemChanged(item);
    else
        GetLibrary()->NoteItemsChanged();
    MarkModified();
}

void CVemoLibraryDoc::MarkListStale(NameList list)
{
    if (list < 0 || list >= NAME_LIST_COUNT)
        return;
    m_listStale[list] = true;
    ScheduleIdle();
}

bool CVemoLibraryDoc::DoIdleWork()
{
    CLibrary* library = GetLibrary();
    if (!library || !m_saveEnabled)
        return false;
    // In the program the indexes are made on a worker thread, at once.
    if (CReadGate* gate = m_searchPrepPending ? CVemoApplication::ReadGate() : nullptr) {
        library->StartSearchBuilding(*gate);
        m_searchPrepPending = false;
    }
    if (m_session->MayIdleSave()) {
        Save(SaveKind::Idle);
        return HasIdleWork();
    }
    for (int list = 0; list < NAME_LIST_COUNT; ++list) {
        if (!m_listStale[list])
            continue;
        switch (list) {
        case ListArtists:
            library->RefreshArtistsList();
            break;
        case ListActors:
            library->RefreshActorsList();
            break;
        case ListDirectors:
            library->RefreshDirectorsList();
            break;
        case ListAuthors:
            library->RefreshAuthorsList();
            break;
        case ListLocations:
            library->RefreshLocationsList();
            break;
        case ListManufacturers:
            library->RefreshManufacturersList();
            break;
        }
        m_listStale[list] = false;
        emit UpdateAllViews(HintArtists + list);
        return HasIdleWork();
    }
    // Only when nothing else waits: one media type's search index.
    if (m_searchPrepPending && !library->PrepareSearch())
        m_searchPrepPending = false;
    return HasIdleWork();
}

void CVemoLibraryDoc::PrepareSearchAtIdle()
{
    if (!GetLibrary())
        return;
    m_searchPrepPending = true;
    ScheduleIdle();
}

CLibrarySearchDlg* CVemoLibraryDoc::OnEditSearch()
{
    if (!GetLibrary())
        return nullptr;
    if (!m_searchDlg) {
        CStringArray strings;
        for (int i = 0; i < GetLibrary()->GetSearchStringCount(); ++i)
            strings.Add(GetLibrary()->GetSearchStringAt(i));
        m_searchDlg = new CLibrarySearchDlg(this, strings, m_dialogParent);
        m_searchDlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_searchDlg, &QDialog::finished, this, [this] {
            TakeSearchStrings();
            m_searchDlg.clear();
        });
    }
    m_searchDlg->show();
    m_searchDlg->raise();
    m_searchDlg->activateWindow();
    return m_searchDlg;
}

CLibrarySearchDlg* CVemoLibraryDoc::GetSearchDlg() const
{
    return m_searchDlg.data();
}

bool CVemoLibraryDoc::TakeSearchStrings()
{
    if (!m_searchDlg || !GetLibrary())
        return false;
    GetLibrary()->ClearSearchStrings();
    for (const CString& text : m_searchDlg->GetSearchStrings())
        GetLibrary()->AddSearchString(text);
    MarkModified();
    return true;
}

void CVemoLibraryDoc::ShowItem(const CItem* item)
{
    if (!GetLibrary() || !item)
        return;
    const auto* sub = dynamic_cast<const CMediaSubItem*>(item);
    const CMediaItem* medium = sub ? sub->GetParent() : dynamic_cast<const CMediaItem*>(item);
    const int type = medium ? CMediaUtils::GetItemMediaID(medium) : 0;
    if (!CMediaUtils::IsValidMediaID(type))
        return;
    // The view chooses the item remembered for its type when it fills.
    CStringArray texts;
    GetLibrary()->GetItemListTexts(type, texts);
    int index = 0;
    for (POSITION pos = GetLibrary()->GetHeadItem(type); pos; ++index) {
        if (GetLibrary()->GetNextItem(type, pos) != medium)
            continue;
        if (index < texts.GetSize())
            RememberItem(type, texts.GetAt(index));
        break;
    }
    RememberMediaType(type);
    emit MediaTypeRequested(type);
}

void CVemoLibraryDoc::SetSaveEnabled(bool enabled)
{
    m_saveEnabled = enabled;
    if (enabled)
        ScheduleIdle();
}

void CVemoLibraryDoc::CreateNewLibrary()
{
    if (!m_settings) {
        VemoLog("{2D8E6A1F-C4B7-4903-9E5D-B1A0F7C3E286}");
        return;
    }
    const CString name = m_settings->NewLibraryName();
    const CString problem = CLibraryNames::CheckNewName(name, m_settings->GetLibraries());
    if (!problem.empty()) {
        CMessageBox::Warn(m_dialogParent, Q(CLibraryNames::LIMIT_TITLE), Q(problem));
        return;
    }
    if (!OpenLibrary(name, true))
        return;
    InitNewLibrary();
    emit MediaBarRebuildRequested();
}

void CVemoLibraryDoc::InitNewLibrary()
{
    if (!GetLibrary())
        return;
    m_session->AddCreationNote();
    MarkModified();
    const bool saved = SaveLibrary();
    m_settings->RefreshLibraryList();
    emit MediaTypeRequested(CMediaUtils::MEDIA_BOOK);
    emit UpdateAllViews(HintNewLibrary);
    // Filling the views counts as no change; a failed save stays pending.
    if (saved)
        m_session->DropChanges();
}

void CVemoLibraryDoc::LoadLibraryAt(int index)
{
    if (!m_settings)
        return;
    CString name = m_settings->LibraryAt(index);
    if (name.empty() || !CFileUtils::DoesFileExist(m_settings->LibraryPath(name)))
        return;
    if (GetLibrary() && name == GetLibrary()->GetName())
        return;
    if (OpenLibrary(name, false))
        ShowLoadedLibrary();
}

void CVemoLibraryDoc::ShowLoadedLibrary()
{
    emit MediaBarRebuildRequested();
    emit MediaTypeRequested(LastMediaType());
}

int CVemoLibraryDoc::LastMediaType() const
{
    if (!GetLibrary())
        return 0;
    if (m_settings) {
        int type = m_settings->GetLastMediaType(GetLibrary()->GetName());
        if (type != 0)
            return type;
    }
    if (const CMediaTypeSelection* selection = GetLibrary()->GetMediaTypes())
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
            if (selection->GetShow(type))
                return type;
    return CMediaUtils::MEDIA_BOOK;
}

void CVemoLibraryDoc::RememberMediaType(int mediaType)
{
    if (!GetLibrary() || !m_settings || m_settings->GetLastMediaType(GetLibrary()->GetName()) == mediaType)
        return;
    m_settings->SetLastMediaType(GetLibrary()->GetName(), mediaType);
    SaveSettingsNow();
}

void CVemoLibraryDoc::SaveSettingsNow()
{
    if (m_settings && !m_settings->Save())
        VemoLog("{8B1E4C2D-6F0A-4D93-B7E5-2C9A1F3D8E40}");
}

void CVemoLibraryDoc::RememberItem(int mediaType, const CString& text)
{
    if (GetLibrary() && m_settings)
        m_settings->SetLastItem(GetLibrary()->GetName(), mediaType, text);
}

CString CVemoLibraryDoc::GetRememberedItem(int mediaType) const
{
    return GetLibrary() && m_settings ? m_settings->GetLastItem(GetLibrary()->GetName(), mediaType) : CString();
}

CString CVemoLibraryDoc::GetLibraryName() const
{
    return GetLibrary() ? GetLibrary()->GetName() : CString();
}

void CVemoLibraryDoc::SetNotes(const CString& notes)
{
    if (!GetLibrary())
        return;
    GetLibrary()->SetNotes(notes);
    MarkModified();
}

bool CVemoLibraryDoc::RenameLibrary(const CString& newName)
{
    if (!GetLibrary() || !m_settings)
        return false;
    const CString oldName = GetLibraryName();
    if (!m_session->Rename(newName))
        return false;
    m_settings->RefreshLibraryList();
    m_settings->SetCurrentLibrary(newName);
    m_settings->RenameViewState(oldName, newName);
    SaveSettingsNow();
    emit TitleChanged(Q(newName));
    return true;
}

bool CVemoLibraryDoc::CopyLibrary(const CString& newName, bool loadCopy)
{
    if (!GetLibrary() || !m_settings)
        return false;
    const bool copied = m_session->Copy(newName);
    m_settings->RefreshLibraryList();
    if (!copied)
        return false;
    if (loadCopy && OpenLibrary(newName, false))
        ShowLoadedLibrary();
    return true;
}

void CVemoLibraryDoc::DeleteLibrary(bool preserveArchives, bool deleteArchives)
{
    if (!GetLibrary() || !m_settings || !m_session->LockForCommand(CLibrarySession::Command::Delete))
        return;
    TakeSearchStrings();
    ReleaseLibraryViews();
    const CString deleted = GetLibraryName();
    if (m_session->Delete(preserveArchives, deleteArchives))
        m_settings->ForgetViewState(deleted);
    ForgetLibraryState();
    m_settings->RefreshLibraryList();
    if (m_settings->GetLibraryCount() > 0)
        LoadLibraryAt(0);
    else
        CreateNewLibrary();
}

bool CVemoLibraryDoc::CanRestore() const
{
    return GetLibrary() && m_session->CanRestore();
}

bool CVemoLibraryDoc::RestoreLibrary(const CString& archiveFile, bool dropChanges)
{
    if (!m_settings)
        return false;
    const CString loadedName = GetLibraryName();
    const bool replacesLoaded = GetLibrary() && m_session->RestoreTarget(archiveFile) == loadedName;
    // The loaded library is closed first, so that nothing writes it back
    // over the restored file; restoring archives its latest state.
    if (replacesLoaded) {
        if (dropChanges)
            m_session->DropChanges();
        CloseLibrary();
    }
    CString restored;
    if (!m_session->Restore(archiveFile, replacesLoaded, restored)) {
        if (replacesLoaded) {
            OpenLibrary(loadedName, false);
            ShowLoadedLibrary();
        }
        return false;
    }
    m_settings->RefreshLibraryList();
    if (OpenLibrary(restored, false))
        ShowLoadedLibrary();
    return true;
}

void CVemoLibraryDoc::OnLibraryNotes()
{
    if (!GetLibrary())
        return;
    CVemoLibraryNotesDlg dlg(GetLibrary()->GetNotes(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        SetNotes(dlg.GetNotes());
}

void CVemoLibraryDoc::OnLibraryRename()
{
    if (!GetLibrary() || !m_settings || !m_session->LockForCommand(CLibrarySession::Command::Rename))
        return;
    m_settings->RefreshLibraryList();
    CLibraryRenameDlg dlg(GetLibraryName(), m_settings->GetLibraries(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        RenameLibrary(dlg.GetNewName());
}

void CVemoLibraryDoc::OnLibraryCopy()
{
    if (!GetLibrary() || !m_settings)
        return;
    m_settings->RefreshLibraryList();
    CLibraryCopyDlg dlg(GetLibraryName(), m_settings->GetLibraries(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        CopyLibrary(dlg.GetNewName(), dlg.GetLoadCopy());
}

void CVemoLibraryDoc::OnLibraryDelete()
{
    if (!GetLibrary() || !m_settings || !m_session->LockForCommand(CLibrarySession::Command::Delete))
        return;
    CLibraryDeleteDlg dlg(GetLibraryName(), GetDataFileMgmt().GetArchivesCount(GetLibraryName()), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        DeleteLibrary(dlg.GetPreserve(), dlg.GetDeleteArchives());
}

void CVemoLibraryDoc::OnLibraryRestore()
{
    if (!CanRestore())
        return;
    m_settings->RefreshLibraryList();
    CLibraryRestoreDlg dlg(
        GetDataFileMgmt(), GetLibraryName(), CClock::Now(), m_settings->GetLibraries(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        RestoreLibrary(dlg.GetArchiveFile());
}

void CVemoLibraryDoc::RefreshReportContext()
{
    m_reportContext = ReportContext();
    if (m_settings) {
        m_reportContext.balloonCloseButton = m_settings->GetBalloonShowCloseButton();
        m_reportContext.balloonWpmSpeed = m_settings->GetBalloonWPMSpeed();
        m_reportContext.margins = m_settings->GetPrintMargins();
    }
    if (!GetLibrary())
        return;
    m_reportContext.portrait = GetLibrary()->GetPrintPortrait();
    m_reportContext.headerFont = GetLibrary()->GetPrintHeaderFont();
    m_reportContext.contentFont = GetLibrary()->GetPrintContentFont();
    m_reportContext.footerFont = GetLibrary()->GetPrintFooterFont();
    m_reportContext.headerColor = GetLibrary()->GetPrintHeaderTextColor();
    m_reportContext.contentColor = GetLibrary()->GetPrintContentTextColor();
    m_reportContext.footerColor = GetLibrary()->GetPrintFooterTextColor();
}

int CVemoLibraryDoc::GetItemCount(int mediaType) const
{
    return GetLibrary() ? GetLibrary()->GetItemCount(mediaType) : 0;
}

int CVemoLibraryDoc::GetReservedItemCount(int mediaType) const
{
    return GetLibrary() ? GetLibrary()->GetReservedItemCount(mediaType) : 0;
}

int CVemoLibraryDoc::GetCheckedOutItemCount(int mediaType) const
{
    return GetLibrary() ? GetLibrary()->GetCheckedoutItemCount(mediaType) : 0;
}

CMediaTypeSelection* CVemoLibraryDoc::GetMediaTypes() const
{
    return GetLibrary() ? GetLibrary()->GetMediaTypes() : nullptr;
}

void CVemoLibraryDoc::OnViewSelectMediaTypes(int typeOnScreen)
{
    CMediaTypeSelection* selection = GetMediaTypes();
    if (!selection)
        return;
    CMediaTypesDlg dlg(*selection, m_dialogParent);
    if (dlg.exec() == QDialog::Accepted && dlg.IsChanged())
        ApplyMediaTypeSelection(dlg.GetSelection(), typeOnScreen);
}

void CVemoLibraryDoc::ApplyMediaTypeSelection(const CMediaTypeSelection& selection, int typeOnScreen)
{
    CMediaTypeSelection* shown = GetMediaTypes();
    if (!shown)
        return;
    *shown = selection;
    emit MediaBarRebuildRequested();
    if (!shown->GetShow(typeOnScreen)) {
        int first = 0;
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST && !first; ++type)
            if (shown->GetShow(type))
                first = type;
        emit MediaTypeRequested(first);
    }
    MarkModified();
}
