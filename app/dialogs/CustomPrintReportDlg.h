#pragma once
// One custom printed report, new or to be changed: its name, media types,
// categories, columns in order, and four sort keys each ascending or
// descending. It edits a working copy; OK checks it (a name no other
// report has, at least one type, category and column).

#include <QDialog>
#include <vector>

#include "data/reports/CustomReportEditor.h"

class CLibrary;
class CReportColumnsModel;
class CReportScopeWidget;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListView;
class QStringListModel;

class CCustomPrintReportDlg : public QDialog {
    Q_OBJECT

public:
    // otherNames: the names of the library's other printed reports.
    CCustomPrintReportDlg(CLibrary& library, const CCustomPrintReportEditor& editor, std::vector<CString> otherNames,
        bool isNew, QWidget* parent = nullptr);

    // The definition as the widgets stand.
    const CCustomPrintReportEditor& GetEditor();

    QLineEdit* GetNameEdit() const { return m_name; }
    CReportScopeWidget* GetScope() const { return m_scope; }
    CReportColumnsModel* GetColumns() const { return m_columns; }
    QStringListModel* GetAvailable() const { return m_available; }
    QListView* GetAvailableView() const { return m_availableView; }
    QListView* GetColumnView() const { return m_columnView; }
    QComboBox* GetSortCombo(int key) const { return m_sortProps[key]; }
    QCheckBox* GetDescendingBox(int key) const { return m_descending[key]; }

    // The column buttons.
    void AddSelectedColumns();
    void RemoveSelectedColumn();
    void MoveSelectedColumn(int step);
    void UseDefaultColumns();
    // Chooses a sort key as the combo and box would.
    bool SetSortKey(int key, const QString& prop, bool descending);

    void accept() override;

private:
    // The one place the widgets become the editor's state.
    void TakeWidgets();
    // The properties of the checked media types: the columns that may be
    // added and the sort keys offered.
    void FillProperties();
    int SelectedColumn() const;

    CLibrary& m_library;
    CCustomPrintReportEditor m_editor;
    std::vector<CString> m_otherNames;
    QLineEdit* m_name;
    CReportScopeWidget* m_scope;
    QStringListModel* m_available;
    QListView* m_availableView;
    CReportColumnsModel* m_columns;
    QListView* m_columnView;
    QComboBox* m_sortProps[CCustomPrintReportEditor::SORT_KEY_COUNT];
    QCheckBox* m_descending[CCustomPrintReportEditor::SORT_KEY_COUNT];
};
