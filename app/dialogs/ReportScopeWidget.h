#pragma once
// What a custom report covers, as both report editors show it: the media
// types and the categories, each a list of check boxes with buttons to
// check all or none.

#include <QWidget>

class CCheckListModel;
class CCustomReportEditor;
class CLibrary;
class QComboBox;
class QListView;

class CReportScopeWidget : public QWidget {
    Q_OBJECT

public:
    CReportScopeWidget(const CLibrary& library, const CCustomReportEditor& editor, QWidget* parent = nullptr);

    // The checks into the editor's media types and categories.
    void Store(CCustomReportEditor& editor) const;

    // The properties the editor's media types offer, alphabetical (the
    // lists are long).
    static QStringList SortedProps(const CLibrary& library, const CCustomReportEditor& editor);
    // A sort property combo: "(none)" and props, keeping what it had, also
    // a property no type offers now.
    static void FillPropCombo(QComboBox* combo, const QStringList& props);
    // Chooses prop ("" for none), adding it when the combo lacks it.
    static void ChooseProp(QComboBox* combo, const QString& prop);

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
