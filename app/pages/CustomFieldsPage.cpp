#include "app/pages/CustomFieldsPage.h"

#include <QVBoxLayout>

#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/CustomValuesForm.h"
#include "data/model/MediaItem.h"

CCustomFieldsPage::CCustomFieldsPage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : CItemPage(doc, parent)
    , m_form(new CCustomValuesForm(doc, mediaType, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    connect(m_form, &CCustomValuesForm::ValuesChanged, this, &CItemPage::ItemChanged);
    SetItem(nullptr);
}

int CCustomFieldsPage::GetFieldCount() const
{
    return m_form->GetFieldCount();
}

QWidget* CCustomFieldsPage::GetEditor(int index) const
{
    return m_form->GetEditor(index);
}

void CCustomFieldsPage::SetItem(CMediaItem* item)
{
    m_form->SetItem(item);
    setEnabled(item && item->GetCustomValues());
}

void CCustomFieldsPage::TakeOver()
{
    m_form->TakeOver();
}

void CCustomFieldsPage::OnUpdate(int hint)
{
    if (hint == CVemoLibraryDoc::HintCustomFields || hint == CVemoLibraryDoc::HintNewLibrary)
        m_form->Rebuild();
}
