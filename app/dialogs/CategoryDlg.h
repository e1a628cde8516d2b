#pragma once
// Edit, Categories...: the library's categories with their descriptions and
// how many items use each; categories are added, renamed, described and
// deleted here and handed to the library only when OK is pressed. The none
// category stays as it is.

#include <QDialog>
#include <memory>
#include <vector>

#include "data/model/Category.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CCategoryDlg : public QDialog {
    Q_OBJECT

public:
    // A category of the library whose name or description changed.
    struct CChange {
        int id = 0;
        CString name;
        CString description;
    };

    // categories: all of the library's, the none category first (not owned).
    CCategoryDlg(const std::vector<const CCategory*>& categories, QWidget* parent = nullptr);
    ~CCategoryDlg() override;

    // "Category is not used." and its kin.
    static QString UsageText(int items);

    // False (and said) for a blank name, the none category's name or a name
    // that exists (ignoring case).
    bool AddCategory(const QString& name, const QString& description);
    // Renames and describes the category listed as name; false (and said)
    // for the none category and for a new name refused as above.
    bool ChangeCategory(const QString& name, const QString& newName, const QString& description);
    // False for the none category and names not listed.
    bool DeleteCategory(const QString& name);

    // The categories added (the caller takes them), the library's
    // categories changed, and the ids of those deleted.
    std::vector<std::unique_ptr<CCategory>> TakeAdded();
    std::vector<CChange> GetChanged() const;
    const std::vector<int>& GetDeletedIDs() const { return m_deleted; }

    QListWidget* GetList() const { return m_list; }
    QLabel* GetUsage() const { return m_usage; }
    QLineEdit* GetSelectedNameEdit() const { return m_selectedName; }
    QLineEdit* GetSelectedDescriptionEdit() const { return m_selectedDescription; }

private:
    struct CEntry {
        QString name;
        QString description;
        int id = 0; // 0 for a category added here
        int items = 0;
        bool none = false;
        bool changed = false;
    };

    // "" or why name cannot be given to the entry at row (-1: a new one).
    QString CheckName(const QString& name, int row) const;
    void FillList();
    void ShowSelected();
    void AddFromFields();
    void ChangeSelected();
    void DeleteSelected();

    std::vector<CEntry> m_entries;
    std::vector<int> m_deleted;
    QListWidget* m_list;
    QLabel* m_usage;
    QLineEdit* m_selectedName;
    QLineEdit* m_selectedDescription;
    QPushButton* m_change;
    QPushButton* m_delete;
    QLineEdit* m_name;
    QLineEdit* m_newDescription;
};
