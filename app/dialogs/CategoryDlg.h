#pragma once
// Edit, Categories...: the library's categories with their descriptions and
// how many items use each; categories are added and deleted here and handed
// to the library only when OK is pressed. The none category stays.

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
    // categories: all of the library's, the none category first (not owned).
    CCategoryDlg(const std::vector<const CCategory*>& categories, QWidget* parent = nullptr);
    ~CCategoryDlg() override;

    // "Category is not used." and its kin.
    static QString UsageText(int items);

    // False (and said) for a blank name, the none category's name or a name
    // that exists (ignoring case).
    bool AddCategory(const QString& name, const QString& description);
    // False for the none category and names not listed.
    bool DeleteCategory(const QString& name);

    // The categories added (the caller takes them) and the ids of the
    // library's categories deleted.
    std::vector<std::unique_ptr<CCategory>> TakeAdded();
    const std::vector<int>& GetDeletedIDs() const { return m_deleted; }

    QListWidget* GetList() const { return m_list; }
    QLabel* GetUsage() const { return m_usage; }

private:
    struct CEntry {
        QString name;
        QString description;
        int id = 0; // 0 for a category added here
        int items = 0;
        bool none = false;
    };

    void FillList();
    void ShowSelected();
    void AddFromFields();
    void DeleteSelected();

    std::vector<CEntry> m_entries;
    std::vector<int> m_deleted;
    QListWidget* m_list;
    QLabel* m_description;
    QLabel* m_usage;
    QLineEdit* m_name;
    QLineEdit* m_newDescription;
    QPushButton* m_delete;
};
