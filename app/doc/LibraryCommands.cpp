#include "app/doc/LibraryCommands.h"

#include "app/VemoLibrarySettings.h"
#include "app/dialogs/CategoryDlg.h"
#include "app/dialogs/CheckoutSettingsDlg.h"
#include "app/dialogs/ImportDlg.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/MediaSettingsDlg.h"
#include "app/dialogs/PrintedReportsSettingsDlg.h"
#include "app/dialogs/ResearchEntryDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/Category.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/Library.h"
#include "data/store/ResearchEntry.h"
#include "platform/util/AppLogger.h"

CLibraryCommands::CLibraryCommands(CVemoLibraryDoc* doc)
    : QObject(doc)
    , m_doc(doc)
{
}

void CLibraryCommands::OnImport(int mediaType)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    // An import that fails part-way puts the items back as copies.
    if (CLibrarySearchDlg* search = m_doc->GetSearchDlg())
        search->ClearResults();
    CImportDlg dlg(*library, library->GetPathImport(), mediaType, m_doc->GetDialogParent());
    // No idle save may write a half-done import (the progress window lets
    // idle passes run).
    const bool saveEnabled = m_doc->GetSaveEnabled();
    m_doc->SetSaveEnabled(false);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    m_doc->SetSaveEnabled(saveEnabled);
    if (accepted)
        ApplyImport(dlg.GetImportPath());
}

void CLibraryCommands::ApplyImport(const CString& importPath)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    library->SetPathImport(importPath);
    m_doc->MarkModified();
    // The rows may have added publishers and magazine titles.
    m_doc->SaveSharedData();
    m_doc->PrepareSearchAtIdle();
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintImport);
}

void CLibraryCommands::OnCategories()
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    std::vector<const CCategory*> categories;
    POSITION pos = library->GetHeadCategory();
    while (pos)
        categories.push_back(library->GetNextCategory(pos));
    CCategoryDlg dlg(categories, m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyCategories(dlg.TakeAdded(), dlg.GetDeletedIDs());
}

void CLibraryCommands::ApplyCategories(
    std::vector<std::unique_ptr<CCategory>> added, const std::vector<int>& deletedIDs)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    for (std::unique_ptr<CCategory>& category : added)
        library->AddCategory(category.release());
    for (int id : deletedIDs) {
        CCategory* category = library->GetCategory(id);
        if (category && category != library->GetCategoryNone())
            library->DeleteCategory(category);
    }
    // Items of a deleted category moved to the none category.
    if (deletedIDs.empty())
        m_doc->MarkModified();
    else
        m_doc->MarkItemModified(nullptr);
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintCategories);
}

void CLibraryCommands::OnCheckoutSettings()
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library || !library->GetCheckoutSettings())
        return;
    CCheckoutSettingsDlg dlg(*library->GetCheckoutSettings(), m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyCheckoutSettings(dlg.GetSettings());
}

void CLibraryCommands::ApplyCheckoutSettings(const CCheckoutSettings& settings)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library || !library->GetCheckoutSettings())
        return;
    *library->GetCheckoutSettings() = settings;
    m_doc->MarkModified();
}

void CLibraryCommands::OnMediaSettings()
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    CMediaSettingsDlg dlg(
        library->GetCassetteUseTimedCounter(), library->GetDefaultDVDRegion(), m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyMediaSettings(dlg.GetCassetteTimedCounter(), dlg.GetDefaultDVDRegion());
}

void CLibraryCommands::ApplyMediaSettings(bool cassetteTimedCounter, int defaultDVDRegion)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    library->SetCassetteUseTimedCounter(cassetteTimedCounter);
    library->SetDefaultDVDRegion(defaultDVDRegion);
    m_doc->MarkModified();
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintMediaSettings);
}

void CLibraryCommands::OnResearchManage()
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    std::vector<CResearchEntry*> entries;
    for (int i = 0; i < library->GetResearchEntryCount(); ++i)
        entries.push_back(library->GetResearchEntryAt(i));
    CResearchEntryDlg dlg(entries, MAX_RESEARCH_ENTRIES, m_doc->GetDialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return;
    CArray<CResearchEntry*, CResearchEntry*> removed = dlg.GetDeleted();
    CArray<CResearchEntry*, CResearchEntry*> added = dlg.TakeAdded();
    ApplyResearchEntries(removed, added);
}

void CLibraryCommands::ApplyResearchEntries(
    CArray<CResearchEntry*, CResearchEntry*>& removed, CArray<CResearchEntry*, CResearchEntry*>& added)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library) {
        for (CResearchEntry* entry : added)
            delete entry;
        return;
    }
    library->UpdateResearchEntries(&removed, &added);
    m_doc->MarkModified();
}

CPrintedReportSettings CLibraryCommands::GetPrintedReportSettings() const
{
    CPrintedReportSettings settings;
    const CLibrary* library = m_doc->GetLibrary();
    if (m_doc->GetSettings())
        settings.margins = m_doc->GetSettings()->GetPrintMargins();
    if (!library)
        return settings;
    settings.portrait = library->GetPrintPortrait();
    const CFont* fonts[]
        = { library->GetPrintHeaderFont(), library->GetPrintContentFont(), library->GetPrintFooterFont() };
    for (int part = 0; part < CPrintedReportSettings::PART_COUNT; ++part)
        if (fonts[part])
            settings.fonts[part] = *fonts[part];
    settings.colors[CPrintedReportSettings::Header] = library->GetPrintHeaderTextColor();
    settings.colors[CPrintedReportSettings::Content] = library->GetPrintContentTextColor();
    settings.colors[CPrintedReportSettings::Footer] = library->GetPrintFooterTextColor();
    return settings;
}

void CLibraryCommands::OnPrintedReportsSettings()
{
    if (!m_doc->GetLibrary())
        return;
    CPrintedReportsSettingsDlg dlg(GetPrintedReportSettings(), m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyPrintedReportSettings(dlg.GetSettings());
}

void CLibraryCommands::ApplyPrintedReportSettings(const CPrintedReportSettings& settings)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    library->SetPrintPortrait(settings.portrait);
    CFont* fonts[] = { library->GetPrintHeaderFont(), library->GetPrintContentFont(), library->GetPrintFooterFont() };
    for (int part = 0; part < CPrintedReportSettings::PART_COUNT; ++part)
        if (fonts[part])
            *fonts[part] = settings.fonts[part];
    library->SetPrintHeaderTextColor(settings.colors[CPrintedReportSettings::Header]);
    library->SetPrintContentTextColor(settings.colors[CPrintedReportSettings::Content]);
    library->SetPrintFooterTextColor(settings.colors[CPrintedReportSettings::Footer]);
    if (CVemoLibrarySettings* appSettings = m_doc->GetSettings()) {
        appSettings->SetPrintMargins(settings.margins);
        if (!appSettings->Save())
            VemoLog("{6B1D0E84-3F2A-4C97-8E15-A9D2C7F04B38}");
    }
    m_doc->MarkModified();
    m_doc->RefreshReportContext();
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintPrintSettings);
}
