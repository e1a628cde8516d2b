#pragma once
// The managers of the lists every library shares: persons (borrowers),
// publishers and magazine titles. Each lists the records with how many
// items of the loaded library use them, and adds, changes and deletes them
// (saying the count first) in a working copy; the shared list changes only
// through Apply after OK.

#include <QDialog>
#include <memory>

#include "app/dialogs/EditorModels.h"
#include "data/model/Magazine.h"
#include "data/store/SharedListEditor.h"
#include "data/store/SharedListUsage.h"
#include "platform/util/Person.h"

class CLibrary;
class QLabel;
class QPushButton;
class QTableView;

// The list, its buttons and OK/Cancel, for the managers below.
class CSharedListDlg : public QDialog {
    Q_OBJECT

public:
    QTableView* GetView() const { return m_view; }
    int SelectedRow() const;
    void SelectRow(int row);

    // Each works on the selected record (Add: on a new one).
    virtual void AddRecord() = 0;
    virtual void EditSelected() = 0;
    virtual void DeleteSelected() = 0;

protected:
    CSharedListDlg(const QString& title, const QString& listLabel, const QString& note, QWidget* parent);
    void SetModel(QAbstractItemModel* model);
    void UpdateButtons();
    // Asks before a record that items use goes: "... used by 2 items of
    // this Library ...". True to go on.
    bool ConfirmDelete(const QString& what, int uses);

    QTableView* m_view;
    QPushButton* m_edit;
    QPushButton* m_delete;
};

class CPersonsMgrDlg : public CSharedListDlg {
    Q_OBJECT

public:
    enum Kind { Persons, Publishers };

    // library: whose items are counted (may be null).
    CPersonsMgrDlg(Kind kind, const CLibrary* library, QWidget* parent = nullptr);

    Kind GetKind() const { return m_kind; }
    const CSharedListEditor<CPerson>& GetEditor() const { return m_editor; }
    CSharedListModel<CPerson>* GetModel() const { return m_model.get(); }

    void AddRecord() override;
    void EditSelected() override;
    void DeleteSelected() override;
    // The same without a window (tests, and the two above).
    bool AddPerson(const CPerson& record, QString& error);
    bool ReplacePerson(int row, const CPerson& record, QString& error);
    bool IsChanged() const { return m_editor.IsChanged(); }
    // Hands the changes to the person or publisher list.
    void Apply() const;

private:
    QString Check(const CPerson& record, int row) const;
    int Uses(int id) const;

    Kind m_kind;
    CSharedListUsage m_usage;
    CSharedListEditor<CPerson> m_editor;
    std::unique_ptr<CSharedListModel<CPerson>> m_model;
};

class CMagazinesMgrDlg : public CSharedListDlg {
    Q_OBJECT

public:
    // selectedTitleID: the title chosen at first (0 for none).
    CMagazinesMgrDlg(const CLibrary* library, int selectedTitleID, QWidget* parent = nullptr);

    const CSharedListEditor<CMagazine>& GetEditor() const { return m_editor; }
    CSharedListModel<CMagazine>* GetModel() const { return m_model.get(); }

    void AddRecord() override;
    void EditSelected() override;
    void DeleteSelected() override;
    bool AddTitle(const CMagazine& title, QString& error);
    bool ReplaceTitle(int row, const CMagazine& title, QString& error);
    bool IsChanged() const { return m_editor.IsChanged(); }
    // Hands the changes to the magazine title list; returns the id of the
    // title selected at the end (0 for none).
    int Apply() const;

private:
    QString Check(const CMagazine& title, int row) const;

    CSharedListUsage m_usage;
    CSharedListEditor<CMagazine> m_editor;
    std::unique_ptr<CSharedListModel<CMagazine>> m_model;
};
