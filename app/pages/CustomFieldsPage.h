#pragma once
// The values of the media type's custom fields for the item, in the form
// that every item with values of its own uses (CCustomValuesForm).

#include "app/pages/ItemPage.h"

class CCustomValuesForm;

class CCustomFieldsPage : public CItemPage {
    Q_OBJECT

public:
    CCustomFieldsPage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    QString Title() const override { return "C&ustom Fields"; }
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;
    // The field list changed (HintCustomFields), or another library is open.
    void OnUpdate(int hint) override;

    int GetFieldCount() const;
    // The editor of the field at that position (a QLineEdit, QCheckBox or
    // QComboBox); null outside the list.
    QWidget* GetEditor(int index) const;

private:
    CCustomValuesForm* m_form;
};
