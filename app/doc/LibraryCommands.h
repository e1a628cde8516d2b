#pragma once
// The library-level commands whose dialogs edit the library's settings and
// lists (import, categories, check-out and media settings, research
// entries, printed report settings): each opens its dialog and, on OK,
// writes the result into the library through the Apply operation, which
// marks the document modified and tells the views.

#include <QObject>
#include <memory>
#include <vector>

#include "platform/util/VemoTypes.h"

class CCategory;
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

    // After an import that was not cancelled.
    void ApplyImport(const CString& importPath);
    // Adds first, then deletes (the none category is never deleted).
    void ApplyCategories(std::vector<std::unique_ptr<CCategory>> added, const std::vector<int>& deletedIDs);
    void ApplyCheckoutSettings(const CCheckoutSettings& settings);
    void ApplyMediaSettings(bool cassetteTimedCounter, int defaultDVDRegion);
    // The library takes the added entries and destroys the removed ones.
    void ApplyResearchEntries(
        CArray<CResearchEntry*, CResearchEntry*>& removed, CArray<CResearchEntry*, CResearchEntry*>& added);
    CPrintedReportSettings GetPrintedReportSettings() const;
    void ApplyPrintedReportSettings(const CPrintedReportSettings& settings);

private:
    CVemoLibraryDoc* m_doc;
};
