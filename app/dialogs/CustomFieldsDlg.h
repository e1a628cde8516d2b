#pragma once
// The custom fields of one media type: add, change, delete (after the
// confirmation that the field's values go with it) and reorder them, and
// the folder where choosing a local file starts. It edits a working copy;
// the library changes only through Apply after OK.

#include <QDialog>

#include "data/store/CustomFieldsEditor.h"

class CCustomFieldsModel;
class CLibrary;
class QLineEdit;
class QPushButton;
class QTableView;

class CCustomFieldsDlg : public QDialog {
    Q_OBJECT

public:
    CCustomFieldsDlg(const CLibrary& library, int mediaType, QWidget* parent = nullptr);

    int GetMediaType() const { return m_mediaType; }
    const CCustomFieldsEditor& GetEditor() const { return m_editor; }
    CCustomFieldsModel* GetModel() const { return m_model; }
    QTableView* GetView() const { return m_view; }
    // The folder for local file fields as the window ends.
    CString GetDefaultFolder() const;
    void SetDefaultFolder(const QString& folder);

    // Each works on the selected field and says what stops it.
    void AddField();
    void EditSelected();
    void DeleteSelected();
    void MoveSelected(int step);
    int SelectedRow() const;
    void SelectRow(int row);

    // Writes the fields into the library (see CCustomFieldsEditor::Apply).
    bool Apply(CLibrary& library) const;

private:
    void UpdateButtons();
    // Whether field may stand at row (-1: new); "" or the reason.
    QString Check(const CCustomField& field, int row) const;

    int m_mediaType;
    CCustomFieldsEditor m_editor;
    CCustomFieldsModel* m_model;
    QTableView* m_view;
    QLineEdit* m_folder;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
};
