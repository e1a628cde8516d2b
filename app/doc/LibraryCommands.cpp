#include "app/doc/LibraryCommands.h"

#include "app/dialogs/CategoryDlg.h"
#include "app/dialogs/CheckoutSettingsDlg.h"
#include "app/dialogs/CustomFieldsDlg.h"
#include "app/dialogs/ImportDlg.h"
#include "app/dialogs/LibraryIDSettingsDlg.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/MediaSettingsDlg.h"
#include "app/dialogs/PrintedReportsSettingsDlg.h"
#include "app/dialogs/ResearchEntryDlg.h"
#include "app/dialogs/SharedListDlgs.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/Category.h"
#include "data/model/MediaUtils.h"
#include "data/session/VemoLibrarySettings.h"
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
    if (accepted) {
        ApplyImport(dlg.GetImportPath());
    } else if (dlg.WasLibraryReloaded()) {
        // A trial or a failed import put the items back as copies.
        emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintCustomFields);
        emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintImport);
    }
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
    // The import may have made custom fields.
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintCustomFields);
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
        ApplyCategories(dlg.TakeAdded(), dlg.GetChanged(), dlg.GetDeletedIDs());
}

void CLibraryCommands::ApplyCategories(std::vector<std::unique_ptr<CCategory>> added,
    const std::vector<CCategoryDlg::CChange>& changed, const std::vector<int>& deletedIDs)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    for (std::unique_ptr<CCategory>& category : added)
        library->AddCategory(category.release());
    for (const CCategoryDlg::CChange& change : changed) {
        CCategory* category = library->GetCategory(change.id);
        if (!category || category == library->GetCategoryNone())
            continue;
        category->SetName(change.name);
        category->SetDescription(change.description);
    }
    for (int id : deletedIDs) {
        CCategory* category = library->GetCategory(id);
        if (category && category != library->GetCategoryNone())
            library->DeleteCategory(category);
    }
    // Items of a deleted category moved to the none category; a new name
    // is what searches and lists find.
    if (deletedIDs.empty() && changed.empty())
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

void CLibraryCommands::OnCustomFields(int mediaType)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library || !library->GetCustomFieldMgr(mediaType))
        return;
    CCustomFieldsDlg dlg(*library, mediaType, m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyCustomFields(dlg);
}

void CLibraryCommands::ApplyCustomFields(const CCustomFieldsDlg& dlg)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    if (dlg.GetDefaultFolder() != library->GetPathCustomFieldDefault())
        library->SetPathCustomFieldDefault(dlg.GetDefaultFolder());
    const bool fieldsChanged = dlg.GetEditor().IsChanged() && dlg.Apply(*library);
    // Values moved with their fields in every item of the type.
    if (fieldsChanged)
        m_doc->MarkItemModified(nullptr);
    else
        m_doc->MarkModified();
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintCustomFields);
}

void CLibraryCommands::OnLibraryIDFormat(int mediaType, int typeOnScreen)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library || !library->GetLibraryIDFormatForID(mediaType))
        return;
    CLibraryIDSettingsDlg dlg(*library, mediaType, m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyLibraryIDFormat(dlg, typeOnScreen);
}

void CLibraryCommands::ApplyLibraryIDFormat(const CLibraryIDSettingsDlg& dlg, int typeOnScreen)
{
    CLibrary* library = m_doc->GetLibrary();
    if (!library)
        return;
    std::vector<int> touched;
    bool itemsChanged = false;
    dlg.Apply(*library, touched, itemsChanged);
    if (itemsChanged)
        m_doc->MarkItemModified(nullptr);
    else
        m_doc->MarkModified();
    for (int id : touched) {
        const int type = CMediaUtils::IsVideoTapeFormatID(id) ? CMediaUtils::MEDIA_VIDEOTAPE : id;
        if (type == typeOnScreen) {
            emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintLibraryIDFormat);
            break;
        }
    }
}

int CLibraryCommands::OnMagazineTitles(int selectedTitleID)
{
    CMagazinesMgrDlg dlg(m_doc->GetLibrary(), selectedTitleID, m_doc->GetDialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return selectedTitleID;
    return ApplyMagazineTitles(dlg);
}

int CLibraryCommands::ApplyMagazineTitles(const CMagazinesMgrDlg& dlg)
{
    const int selected = dlg.Apply();
    if (dlg.IsChanged()) {
        NoteSharedListsChanged();
        emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintSharedData);
    }
    return selected;
}

void CLibraryCommands::OnPersons()
{
    CPersonsMgrDlg dlg(CPersonsMgrDlg::Persons, m_doc->GetLibrary(), m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyPersons(dlg);
}

void CLibraryCommands::OnPublishers()
{
    CPersonsMgrDlg dlg(CPersonsMgrDlg::Publishers, m_doc->GetLibrary(), m_doc->GetDialogParent());
    if (dlg.exec() == QDialog::Accepted)
        ApplyPersons(dlg);
}

void CLibraryCommands::ApplyPersons(const CPersonsMgrDlg& dlg)
{
    if (!dlg.IsChanged())
        return;
    dlg.Apply();
    NoteSharedListsChanged();
    emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintSharedData);
}

void CLibraryCommands::NoteSharedListsChanged()
{
    m_doc->SaveSharedData();
    // Items show the names of their publisher, title and borrowers: what a
    // search finds of them is made again.
    if (CLibrary* library = m_doc->GetLibrary())
        library->NoteItemsChanged();
}
