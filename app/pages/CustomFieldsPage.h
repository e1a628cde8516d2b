#pragma once
// The values of the media type's custom fields for the item: one editor per
// field by its data type (text, date, true/false, a choice of the field's
// selection list, a local file with Browse and Open, a web address with
// Open), each taken into the item's value slot of the field's position.

#include <vector>

#include "app/pages/ItemPage.h"

class CCustomField;
class QLabel;
class QVBoxLayout;

class CCustomFieldsPage : public CItemPage {
    Q_OBJECT

public:
    CCustomFieldsPage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    QString Title() const override { return "C&ustom Fields"; }
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;
    // The field list changed (HintCustomFields), or another library is open.
    void OnUpdate(int hint) override;

    int GetFieldCount() const { return static_cast<int>(m_editors.size()); }
    // The editor of the field at that position (a QLineEdit, QCheckBox or
    // QComboBox); null outside the list.
    QWidget* GetEditor(int index) const;

private:
    // The field at index, looked up afresh (the field list belongs to the
    // library); null when the list no longer matches the editors.
    const CCustomField* Field(int index) const;
    void Rebuild();
    void ShowValues();
    // Takes the editor's value into the item; false when nothing changed.
    bool Store(int index);
    void Changed();
    QWidget* MakeEditor(int index, const CCustomField& field, QWidget* row);
    void BrowseFile(int index);
    void OpenValue(int index);

    int m_mediaType;
    CMediaItem* m_item = nullptr;
    QWidget* m_form = nullptr;
    QLabel* m_empty;
    QVBoxLayout* m_layout;
    std::vector<QWidget*> m_editors;
    bool m_showing = false;
};
