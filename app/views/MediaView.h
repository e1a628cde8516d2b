#pragma once
// The data-entry form of one media type: the list of the type's items (with
// a filter box beside it), the fields of the selected item, the property
// pages below them and the buttons of the form. The fields are described by
// a table (DescribeFields) that each view class extends with its own rows;
// CFormBuilder makes the widgets. Values move through the item's property
// map, as in import and reports. An edited field is written into the item
// when the user leaves it, switches items, sorts, switches views or
// libraries, or quits; checked fields show the "Data Modified" balloon when
// their text had to be changed.

#include <QList>
#include <functional>

#include "app/views/FieldDesc.h"
#include "app/views/View.h"
#include "platform/util/VemoTypes.h"

class CFormField;
class CItemLookup;
class CItemFilterModel;
class CItemListModel;
class CItemPage;
class CMediaItem;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;

class CMediaView : public CView {
    Q_OBJECT

public:
    // A Sort By entry: its menu text and the property it sorts by.
    struct SortEntry {
        QString text;
        CString prop;
    };

    // The type's picture is the registry's (":/icons/<picture>.svg").
    CMediaView(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);
    ~CMediaView() override;

    // Makes the form from the view's tables (virtual, so not in the
    // constructor); CViewFactory calls it once, OnInitialUpdate otherwise.
    void BuildForm();

    bool IsMediaView() const override { return true; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    void OnAboutToBeReplaced() override;
    bool OnCommand(int id) override;
    bool IsCommandEnabled(int id) const override;

    // The commands of the form.
    void NewItem();
    void CopyItem();
    void SelectNext();
    void SelectPrevious();
    void AddSubItem();
    // Asks first when the item has significant data.
    void DeleteItem();
    void DeleteAllItems();
    void SortBy(const CString& prop);
    void UpdateLengthField();
    void Relocate();
    void OpenLibraryIDFormat();
    void OpenCustomFields();
    void ShowBasicReport();
    // The online look-up of the item on screen, of the text in the focused
    // field when it is the look-up field or the title, else of the look-up
    // field's text, else of the title; and the undo of its last fill.
    void LookUp();
    void UndoLookUp();
    CItemLookup* Lookup() const { return m_lookup; }
    // Writes the edited field into the current item; true when one was.
    bool TakeOver();
    // The field and then the pages.
    void TakeOverAll();

    // What the form shows.
    CMediaItem* GetCurrentItem() const { return m_item; }
    bool IsFieldEdited() const { return m_fieldEdited; }
    const QString& GetPicture() const { return m_picture; }
    QStringList ItemTexts() const;
    QString CurrentItemText() const;
    // Selects the entry with that text; false when there is none.
    bool SelectItemText(const QString& text);
    QComboBox* ItemList() const { return m_list; }
    QLineEdit* FilterBox() const { return m_filter; }
    QTabWidget* PageTabs() const { return m_pageTabs; }
    // The item pages, in the order of their tabs.
    const QList<CItemPage*>& Pages() const { return m_pages; }
    QMenu* SortMenu() const { return m_sortMenu; }
    const QList<CFormField*>& Fields() const { return m_fields; }
    // By accessible name (the label without "&"); null when none.
    CFormField* FindField(const QString& name) const;
    CFormField* FieldOf(const CString& prop) const;
    // The buttons by their text without "&" and "...".
    QPushButton* FindButton(const QString& text) const;
    QList<QPushButton*> Buttons() const { return m_buttons; }
    CItemListModel* ListModel() const { return m_model; }
    QString SortProperty() const;

protected:
    // The form's rows above the common ones (Library ID, Category, Acquired,
    // Price, Location, Year, Description): the title here; each family and
    // type view appends its own.
    virtual void DescribeFields(CFieldList& fields) const;
    // The Sort By entries: "&Library ID" and "&Title" here.
    virtual void DescribeSortOrders(QList<SortEntry>& entries) const;
    // Buttons of the view's own, after the common ones.
    virtual void AddOwnButtons(QBoxLayout* buttons) { }
    // After a field was written into the current item.
    virtual void OnFieldTakenOver(const CFieldDesc& desc) { }
    // After the form shows another item (null: the empty form).
    virtual void OnItemShown(CMediaItem* item) { }
    // The library ID format the Library ID Format button edits.
    virtual int LibraryIDFormatID() const { return GetMediaType(); }
    // Whether the form shows the content size that Update Length Field sets.
    virtual bool HasLengthField() const { return false; }
    // The field a scanner types a code into (ISBN, barcode, catalogue number)
    // or the title for media looked up by title; "" for types without a
    // look-up. Enter there starts the look-up.
    virtual CString LookupProp() const { return CString(); }

    QPushButton* AddButton(QBoxLayout* buttons, const QString& text, std::function<void()> command);
    // Shows a field's value again from the current item.
    void ShowField(CFormField* field);
    void ShowField(const CString& prop);
    // The size of the medium or its number of discs changed: the sub-item
    // pages recompute the time left and the discs' choices.
    void OnMediaSizeChanged();
    // The current item's list entry follows a change of its text.
    void UpdateListText();

    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnLibraryClosing() override;

private:
    void BuildHeader(QBoxLayout* layout);
    void BuildButtons(QBoxLayout* layout);
    void BuildPages(QSplitter* split);
    void Fill();
    void CreateItem(bool copy);
    void ShowItem(CMediaItem* item);
    void SelectSourceRow(int row);
    void OnListChanged(int proxyRow);
    void OnFilterChanged(const QString& text);
    void OnFieldEdited(CFormField* field);
    void OnPageChanged();
    void RememberSelection();
    void UpdateCounts(bool recount = true);
    void UpdateButtons();
    void RefreshChoices(CChoiceSource source);
    void RefreshAllChoices();
    void RefreshNames(CNameSource source);
    void RefreshAllNames();
    QStringList NamesOf(CNameSource source) const;
    void ShowBalloon(CFormField* field, const QString& message);
    CString ListTextOf(const CMediaItem* item) const;
    int ProxyRowOf(const CMediaItem* item) const;
    CMediaItem* ItemAtProxyRow(int row) const;
    QWidget* FirstEditor() const;
    QWidget* LastEditor() const;
    bool CanUpdateLength() const;
    CItemPage* SubItemPage() const;
    // The page of this view that holds widget; null when none does.
    CItemPage* PageHolding(QWidget* widget) const;
    void OnLookupEnter(CFormField* field);
    void OnItemFilled(CMediaItem* item, const CStringArray& changed);
    // The field text of a look-up: the field and whether it holds a
    // catalogue number.
    CFormField* LookupSourceField() const;

    QString m_picture;
    CString m_sortProp;
    CItemListModel* m_model;
    CItemFilterModel* m_proxy;
    QComboBox* m_list = nullptr;
    QLineEdit* m_filter = nullptr;
    QMenu* m_sortMenu = nullptr;
    QTabWidget* m_pageTabs = nullptr;
    QList<CItemPage*> m_pages;
    QList<CFormField*> m_fields;
    QList<QPushButton*> m_buttons;
    QPushButton* m_newButton = nullptr;
    QList<QPushButton*> m_itemButtons; // need a current item
    QPushButton* m_lookupButton = nullptr;
    CItemLookup* m_lookup = nullptr;
    // The form's field that last had the focus (a button click takes it).
    CFormField* m_lastField = nullptr;

    int m_reserved = 0;
    int m_checkedOut = 0;
    CMediaItem* m_item = nullptr;
    CFormField* m_editedField = nullptr;
    bool m_fieldEdited = false;
    // Selection changes the view makes itself are not the user's.
    bool m_filling = false;
    bool m_built = false;
};
