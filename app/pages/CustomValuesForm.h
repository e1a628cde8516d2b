#pragma once
// The values of a media type's custom fields for one item (a medium, or a
// sub-item with values of its own): one editor per field by its data type
// (text, date, true/false, a choice of the field's selection list, a local
// file with Browse and Open, a web address with Open), each taken into the
// item's value slot of the field's position.

#include <QWidget>
#include <vector>

class CCustomField;
class CItem;
class CVemoLibraryDoc;
class QLabel;
class QVBoxLayout;

class CCustomValuesForm : public QWidget {
    Q_OBJECT

public:
    CCustomValuesForm(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    // The item whose values to show; null, or an item without values, shows
    // the disabled form. A pending edit goes into the item shown before.
    void SetItem(CItem* item);
    CItem* GetItem() const { return m_item; }
    // Writes the pending text edits into the item.
    void TakeOver();
    // The editors anew, for the field list as it is now.
    void Rebuild();

    int GetFieldCount() const { return static_cast<int>(m_editors.size()); }
    // The editor of the field at that position (a QLineEdit, QCheckBox or
    // QComboBox); null outside the list.
    QWidget* GetEditor(int index) const;

signals:
    // A value of the item changed (the document is marked already).
    void ValuesChanged();

private:
    // The field at index, looked up afresh (the field list belongs to the
    // library); null when the list no longer matches the editors.
    const CCustomField* Field(int index) const;
    void ShowValues();
    // Takes the editor's value into the item; false when nothing changed.
    bool Store(int index);
    void StoreAndNotify(int index);
    QWidget* MakeEditor(int index, const CCustomField& field, QWidget* row);
    void BrowseFile(int index);
    void OpenValue(int index);

    CVemoLibraryDoc* m_doc;
    int m_mediaType;
    CItem* m_item = nullptr;
    QWidget* m_form = nullptr;
    QLabel* m_empty;
    QVBoxLayout* m_layout;
    std::vector<QWidget*> m_editors;
    bool m_showing = false;
};
