#pragma once
// What a custom report covers, as both report editors show it: the media
// types and the categories, each a list of check boxes with buttons to
// check all or none.

#include <QWidget>

class CCheckListModel;
class CCustomReportEditor;
class CLibrary;
class QListView;

class CReportScopeWidget : public QWidget {
    Q_OBJECT

public:
    CReportScopeWidget(const CLibrary& library, const CCustomReportEditor& editor, QWidget* parent = nullptr);

    // The checks into the editor's media types and categories.
    void Store(CCustomReportEditor& editor) const;

    CCheckListModel* GetMediaTypes() const { return m_mediaTypes; }
    CCheckListModel* GetCategories() const { return m_categories; }
    QListView* GetMediaTypeView() const { return m_mediaTypeView; }
    QListView* GetCategoryView() const { return m_categoryView; }

signals:
    void MediaTypesChanged();

private:
    CCheckListModel* m_mediaTypes;
    CCheckListModel* m_categories;
    QListView* m_mediaTypeView;
    QListView* m_categoryView;
};
