#include "app/HelpTopics.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "ProductInfo.h"
#include "app/CommandIds.h"
#include "app/views/View.h"
#include "app/views/ViewFactory.h"

namespace {

QString g_guideDirForTesting;

// The How-to entries, More Info and History.
const std::pair<int, const char*> COMMAND_SECTIONS[] = {
    { ID_HOWTO_OVERVIEW, "getting-started.html#main-window" },
    { ID_HOWTO_ADD_LIBRARY, "libraries.html#new-library" },
    { ID_HOWTO_SELECT_MEDIA, "getting-started.html#select-media-types" },
    { ID_HOWTO_DATA_ENTRY, "items.html" },
    { ID_HOWTO_PRINTED_REPORTS, "printed-reports.html" },
    { ID_HOWTO_WEB_REPORTS, "web-reports.html" },
    { ID_HOWTO_QA, "questions.html" },
    { ID_MORE_INFO, "index.html" },
    { ID_HISTORY, "history.html" },
};

// F1: the windows by class or object name. Classes that are planned but
// not written yet are listed already, so that they find their section the
// day they arrive.
const std::pair<const char*, const char*> WIDGET_SECTIONS[] = {
    // The main window and its views.
    { "CMainFrame", "getting-started.html#main-window" },
    { "CEmptyView", "getting-started.html#main-window" },
    { "CBookView", "items-print.html#books" },
    { "CMagazineView", "items-print.html#magazines" },
    { "CSheetMusicView", "items-print.html#sheet-music" },
    { "CCDView", "items-audio.html#cds" },
    { "CRecordAlbumView", "items-audio.html#record-albums" },
    { "C8TrackView", "items-audio.html#8-track-cartridges" },
    { "CDVDAudioView", "items-audio.html#dvd-audio-discs" },
    { "CDualDiscView", "items-audio.html#dualdiscs" },
    { "CDVDView", "items-video.html#dvds" },
    { "CBlurayView", "items-video.html#blu-ray-discs" },
    { "CHDDVDView", "items-video.html#hd-dvds" },
    { "CLaserDiscView", "items-video.html#laserdiscs" },
    { "CCassetteView", "items-recordable.html#cassette-tapes" },
    { "CCDRecView", "items-recordable.html#recordable-cds" },
    { "CDATView", "items-recordable.html#dat-tapes" },
    { "CMiniDiscView", "items-recordable.html#minidiscs" },
    { "CReelToReelView", "items-recordable.html#reel-to-reel-tapes" },
    { "CVideoTapeView", "items-recordable.html#video-tapes" },
    { "CDVDRecView", "items-recordable.html#recordable-dvds" },
    { "CDVDAudioRecView", "items-recordable.html#recordable-dvd-audio-discs" },
    { "CBlurayRecView", "items-recordable.html#recordable-blu-ray-discs" },
    { "CHDDVDRecView", "items-recordable.html#recordable-hd-dvds" },
    { "CSoftwareView", "items-software.html#software" },
    { "CVideoGameView", "items-software.html#video-games" },
    // Dialogs and windows.
    { "CSettingsDlg", "getting-started.html#settings" },
    { "CMediaTypesDlg", "getting-started.html#select-media-types" },
    { "CMediaSettingsDlg", "getting-started.html#media-settings" },
    { "CVemoLibraryNotesDlg", "libraries.html#notes" },
    { "CLibraryRenameDlg", "libraries.html#rename" },
    { "CLibraryCopyDlg", "libraries.html#copy" },
    { "CLibraryDeleteDlg", "libraries.html#delete" },
    { "CLibraryRestoreDlg", "archives.html#restore" },
    { "CCategoryDlg", "categories.html" },
    { "CCustomFieldsDlg", "custom-fields.html" },
    { "CCheckoutSettingsDlg", "lending.html#check-out-settings" },
    { "CMagazinesMgrDlg", "items-print.html#magazines" },
    { "CLibrarySearchDlg", "search.html#search-window" },
    { "CResearchEntryDlg", "search.html#research" },
    { "CImportDlg", "import.html#import-window" },
    { "CCustomPrintReportsDlg", "printed-reports.html#custom-reports" },
    { "CReportGridDlg", "printed-reports.html#report-grid" },
    { "CPrintedReportsSettingsDlg", "printed-reports.html#print-settings" },
    { "CCustomWebReportsDlg", "web-reports.html#custom-web-reports" },
    { "CCustomFieldDlg", "custom-fields.html#defining" },
    { "CLibraryIDSettingsDlg", "library-ids.html#settings" },
    { "CCustomPrintReportDlg", "printed-reports.html#making-reports" },
    { "CCustomWebReportDlg", "web-reports.html#making-web-reports" },
    { "CMagazineDlg", "items-print.html#magazines" },
    { "CPersonDlg", "lending.html#lending-an-item" },
    { "CPersonsMgrDlg", "lending.html#lending-an-item" },
    { "CPublisherDlg", "items.html#pages" },
    // The pages below a view's fields, found from the field with the focus.
    { "CSubItemsPage", "items.html#sub-items" },
    { "CCheckOutPage", "lending.html#lending-an-item" },
    { "CCustomFieldsPage", "custom-fields.html#values" },
    { "CSubItemFieldsDlg", "custom-fields.html#values" },
    { "CPropertyFlagsPage", "items-video.html#audio-video" },
    { "CElectronicPage", "items-print.html#books" },
    { "CPublisherPage", "items.html#pages" },
    { "CPicturePage", "items.html#pages" },
};

// What a window that is not listed falls back to.
const char* const VIEW_FALLBACK = "items.html";
const char* const OTHER_FALLBACK = "index.html";

const std::vector<std::pair<int, const char*>> WHATS_THIS = {
    { ID_EDIT_COPY, "Copies the selected text of the field you are in." },
    { ID_EDIT_PASTE, "Pastes text into the field you are in." },
    { ID_EDIT_CUT, "Moves the selected text of the field you are in to the clipboard." },
    { ID_EDIT_UNDO, "Takes back the last change of the field you are in." },
    { ID_EDIT_SEARCH, "Opens the search window: find items of every media type by the words they hold." },
    { ID_MORE_INFO, "Opens the VemoLibrary user guide." },
    { ID_CONTEXT_HELP,
        "Click here, then on any part of the window, to learn what it is. Press F1 for the guide's section on "
        "the window in front." },
    { ID_APP_ABOUT, "Shows the version of VemoLibrary." },
    { ID_UPGRADE_NOTICE, "Tells which version VemoLibrary was upgraded from." },
    { ID_SETTINGS, "Settings of VemoLibrary that hold for every Library: tips, printing margins, upgrades." },
    { ID_LIBRARY_NEW, "Creates a new, empty Library and shows it." },
    { ID_LIBRARY_NOTES, "Notes of your own about the Library that is open." },
    { ID_LIBRARY_RENAME, "Gives the open Library another name." },
    { ID_LIBRARY_COPY, "Makes a copy of the open Library under a new name." },
    { ID_LIBRARY_DELETE, "Deletes the open Library, keeping a last archive copy if you wish." },
    { ID_LIBRARY_RESTORE, "Replaces the open Library with one of its archive copies." },
    { ID_LIBRARY_IMPORT, "Adds items from a delimited text file, such as a spreadsheet saved as text." },
    { ID_EDIT_CATEGORIES, "The categories that sort your items, with their descriptions." },
    { ID_EDIT_CHECKOUT_SETTINGS, "How long items are lent, and what the lending reports print." },
    { ID_EDIT_MEDIA_SETTINGS, "Settings of some media types, such as the default DVD region." },
    { ID_RESEARCH_MANAGE, "The web sites on the Research menu, where you look items up." },
    { ID_VIEW_SELECT_MEDIA_TYPES, "Chooses which of the 24 media types this Library shows." },
    { ID_REPORTS_CUSTOM_PRINT, "Printed reports: run the basic ones, or make your own." },
    { ID_REPORTS_CUSTOM_WEB, "Web reports: pages about your collection, made from templates." },
};

} // namespace

void CHelpTopics::SetGuideDirForTesting(const QString& dir)
{
    g_guideDirForTesting = dir;
}

QString CHelpTopics::GuideDir()
{
    if (!g_guideDirForTesting.isEmpty())
        return g_guideDirForTesting;
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + "/../share/vemolibrary/guide";
    candidates << VEMO_GUIDE_INSTALL_DIR << VEMO_GUIDE_BUILD_DIR;
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + "/" + HOME_PAGE))
            return QDir::cleanPath(dir);
    return QString();
}

QString CHelpTopics::SectionForCommand(int id)
{
    for (const auto& [command, section] : COMMAND_SECTIONS)
        if (command == id)
            return section;
    return QString();
}

QString CHelpTopics::SectionForName(const QString& name)
{
    for (const auto& [key, section] : WIDGET_SECTIONS)
        if (name == QLatin1String(key))
            return section;
    return QString();
}

QString CHelpTopics::ListedSection(const QWidget* widget)
{
    for (const QMetaObject* meta = widget->metaObject(); meta; meta = meta->superClass()) {
        QString section = SectionForName(meta->className());
        if (!section.isEmpty())
            return section;
    }
    return SectionForName(widget->objectName());
}

QString CHelpTopics::SectionForFocus(const QWidget* focus, const QWidget* window)
{
    // Up from the field to the view: a listed part on the way (a page
    // below the fields) has a section of its own.
    for (const QWidget* widget = focus; widget && widget != window; widget = widget->parentWidget()) {
        if (qobject_cast<const CView*>(widget) || widget->isWindow())
            break;
        QString section = ListedSection(widget);
        if (!section.isEmpty())
            return section;
    }
    return QString();
}

QString CHelpTopics::SectionForWidget(const QWidget* widget)
{
    if (!widget)
        return OTHER_FALLBACK;
    // A media view stands for the view class of its type, whichever class
    // shows it today.
    if (const auto* view = qobject_cast<const CView*>(widget)) {
        QString section = SectionForName(CViewFactory::ViewClassName(view->GetMediaType()));
        if (!section.isEmpty() && view->IsMediaView())
            return section;
    }
    QString section = ListedSection(widget);
    if (!section.isEmpty())
        return section;
    if (qobject_cast<const CView*>(widget))
        return VIEW_FALLBACK;
    return OTHER_FALLBACK;
}

std::vector<QString> CHelpTopics::AllSections()
{
    std::vector<QString> sections { VIEW_FALLBACK, OTHER_FALLBACK };
    for (const auto& entry : COMMAND_SECTIONS)
        sections.push_back(entry.second);
    for (const auto& entry : WIDGET_SECTIONS)
        sections.push_back(entry.second);
    return sections;
}

const std::vector<std::pair<int, const char*>>& CHelpTopics::CommandWhatsThis()
{
    return WHATS_THIS;
}
