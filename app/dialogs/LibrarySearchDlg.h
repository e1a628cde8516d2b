#pragma once
// Edit, Search...: a modeless window that finds items by text in chosen
// media types, optionally in chosen properties only, and lists them; a
// double-click shows the item. It keeps the texts searched for, most recent
// first, which the library stores when the window or the library closes.

#include <QDialog>
#include <functional>
#include <vector>

#include "platform/util/VemoTypes.h"

class CItem;
class CMediaItem;
class CVemoLibraryDoc;
class QCheckBox;
class QComboBox;
class QListWidget;
class QTreeWidget;

class CLibrarySearchDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int MAX_SEARCH_STRINGS = 20;

    // searchStrings: the texts offered, most recent first.
    CLibrarySearchDlg(CVemoLibraryDoc* doc, const CStringArray& searchStrings, QWidget* parent = nullptr);

    CStringArray GetSearchStrings() const;

    void SetSearchText(const QString& text);
    void SetMediaTypeChecked(int mediaType, bool checked);
    bool IsMediaTypeChecked(int mediaType) const;
    // False when the property is not offered for the chosen types.
    bool SetPropertyChecked(const QString& prop, bool checked);
    void SetIncludeSubItems(bool include);

    // Runs the search; the number of items found.
    int Search();
    int GetResultCount() const { return static_cast<int>(m_results.size()); }
    CItem* GetResultItem(int index) const;
    QString GetResultText(int index) const;
    // Brings result index on screen in the main window.
    void ShowResult(int index);
    // Items may go away (import, a library closing): forget them.
    void ClearResults();
    // Media are about to be deleted: forget the results that are one of
    // them or a sub-item of one.
    void ForgetItems(const std::function<bool(const CMediaItem*)>& deleted);

    QComboBox* GetSearchCombo() const { return m_text; }
    QTreeWidget* GetResultList() const { return m_resultList; }

private:
    void FillProperties();
    void RememberText(const CString& text);
    CString DescribeItem(const CItem* item) const;

    CVemoLibraryDoc* m_doc;
    CStringArray m_searchStrings;
    std::vector<CItem*> m_results;
    QComboBox* m_text;
    QListWidget* m_mediaTypes;
    QListWidget* m_properties;
    QCheckBox* m_subItems;
    QTreeWidget* m_resultList;
};
