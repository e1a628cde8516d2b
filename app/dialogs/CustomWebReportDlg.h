#pragma once
// One custom web report, new or to be changed: its name, home page (the
// first level's file; its folder holds all pages), whether duplicates are
// listed, media types, categories, and one to three page levels, each with
// a template file from the Templates folder and two sort properties. It
// edits a working copy; OK checks it.

#include <QDialog>
#include <vector>

#include "data/reports/CustomReportEditor.h"

class CLibrary;
class CReportScopeWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

class CCustomWebReportDlg : public QDialog {
    Q_OBJECT

public:
    // others: the names and home pages of the library's other web reports.
    CCustomWebReportDlg(const CLibrary& library, const CCustomWebReportEditor& editor, std::vector<CString> otherNames,
        std::vector<CString> otherHomePages, bool isNew, QWidget* parent = nullptr);

    // The definition as the widgets stand.
    const CCustomWebReportEditor& GetEditor();

    QLineEdit* GetNameEdit() const { return m_name; }
    QLineEdit* GetHomePageEdit() const { return m_homePage; }
    QCheckBox* GetDuplicatesBox() const { return m_duplicates; }
    QSpinBox* GetLevelCountBox() const { return m_levelCount; }
    CReportScopeWidget* GetScope() const { return m_scope; }
    // level 1..3.
    QComboBox* GetTemplateCombo(int level) const { return m_levels[level - 1].templateFile; }
    QComboBox* GetSortCombo(int level, int which) const
    {
        return which == 1 ? m_levels[level - 1].sort1 : m_levels[level - 1].sort2;
    }
    // Chooses a level's template (a file name of the Templates folder or a
    // full path) and sort properties as the combos would.
    void SetLevel(int level, const QString& templateFile, const QString& sort1, const QString& sort2);

    void accept() override;

private:
    struct CLevelWidgets {
        QGroupBox* box = nullptr;
        QComboBox* templateFile = nullptr;
        QComboBox* sort1 = nullptr;
        QComboBox* sort2 = nullptr;
    };

    // The one place the widgets become the editor's state.
    void TakeWidgets();
    void FillSortCombos();
    void ShowLevels();
    void BrowseHomePage();
    void BrowseTemplate(int level);

    const CLibrary& m_library;
    CCustomWebReportEditor m_editor;
    std::vector<CString> m_otherNames;
    std::vector<CString> m_otherHomePages;
    QString m_templateFolder;
    QString m_outputFolder;
    bool m_homePageEdited;
    QLineEdit* m_name;
    QLineEdit* m_homePage;
    QCheckBox* m_duplicates;
    QSpinBox* m_levelCount;
    CReportScopeWidget* m_scope;
    CLevelWidgets m_levels[CCustomWebReportEditor::MAX_LEVELS];
};
