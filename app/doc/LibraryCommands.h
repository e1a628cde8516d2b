#pragma once
// The library-level commands whose dialogs edit the library's settings and
// lists (import, categories, check-out and media settings, research
// entries, printed report settings, a media type's custom fields and
// library ID format) and the lists all libraries share (persons,
// publishers, magazine titles): each opens its dialog and, on OK, writes the
// result into the library through the Apply operation, which marks the
// document modified and tells the views.

#include <QObject>
#include <memory>
#include <vector>

#include "app/dialogs/CategoryDlg.h"
#include "platform/util/VemoTypes.h"

class CCategory;
class CCustomFieldsDlg;
class CLibraryIDSettingsDlg;
class CMagazinesMgrDlg;
class CPersonsMgrDlg;
class CCheckoutSettings;
class CResearchEntry;
class CVemoLibraryDoc;
struct CPrintedReportSettings;

class CLibraryCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int MAX_RESEARCH_ENTRIES = 40;

    explicit CLibraryCommands(CVemoLibraryDoc* doc);

    // The commands: a dialog, then the Apply operation below on OK.
    void OnImport(int mediaType);
    void OnCategories();
    void OnCheckoutSettings();
    void OnMediaSettings();
    void OnResearchManage();
    void OnPrintedReportsSettings();
    void OnCustomFields(int mediaType);
    void OnLibraryIDFormat(int mediaType, int typeOnScreen);
    // The title chosen when OK was pressed; selectedTitleID otherwise.
    int OnMagazineTitles(int selectedTitleID);
    void OnPersons();
    void OnPublishers();

    // After an import that was not cancelled.
    void ApplyImport(const CString& importPath);
    // Adds first, then renames and describes, then deletes (the none
    // category is never changed or deleted).
    void ApplyCategories(std::vector<std::unique_ptr<CCategory>> added,
        const std::vector<CCategoryDlg::CChange>& changed, const std::vector<int>& deletedIDs);
    void ApplyCheckoutSettings(const CCheckoutSettings& settings);
    void ApplyMediaSettings(bool cassetteTimedCounter, int defaultDVDRegion);
    // The library takes the added entries and destroys the removed ones.
    void ApplyResearchEntries(
        CArray<CResearchEntry*, CResearchEntry*>& removed, CArray<CResearchEntry*, CResearchEntry*>& added);
    CPrintedReportSettings GetPrintedReportSettings() const;
    void ApplyPrintedReportSettings(const CPrintedReportSettings& settings);
    // The fields as the dialog ends, and its folder for local files when it
    // changed; marks the library modified and sends hint 105.
    void ApplyCustomFields(const CCustomFieldsDlg& dlg);
    // Marks the library modified; hint 107 when the format of typeOnScreen
    // (for video tapes: of any tape format) changed or its items were
    // renumbered.
    void ApplyLibraryIDFormat(const CLibraryIDSettingsDlg& dlg, int typeOnScreen);
    // Each saves the shared data file and sends hint 102 when the list
    // changed; the magazine titles' returns the title selected.
    int ApplyMagazineTitles(const CMagazinesMgrDlg& dlg);
    void ApplyPersons(const CPersonsMgrDlg& dlg);

private:
    void NoteSharedListsChanged();

    CVemoLibraryDoc* m_doc;
};
