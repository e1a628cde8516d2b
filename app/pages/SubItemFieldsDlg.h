#pragma once
// The custom field values of one sub-item that keeps values of its own (an
// article): the media type's fields in the form the Custom Fields page
// uses. Values go into the sub-item as they are taken over; OK keeps them,
// Cancel puts back the values the sub-item had when the dialog opened.

#include <QDialog>
#include <memory>

class CCustomValueMgr;
class CCustomValuesForm;
class CMediaSubItem;
class CVemoLibraryDoc;

class CSubItemFieldsDlg : public QDialog {
    Q_OBJECT

public:
    // sub must have custom values; it is not owned.
    CSubItemFieldsDlg(CVemoLibraryDoc* doc, CMediaSubItem* sub, QWidget* parent = nullptr);
    ~CSubItemFieldsDlg() override;

    CCustomValuesForm* GetForm() const { return m_form; }
    // Whether the sub-item's values differ from those it had on opening
    // (after OK; false after Cancel).
    bool IsChanged() const { return m_changed; }

    void accept() override;
    void reject() override;

private:
    CVemoLibraryDoc* m_doc;
    CMediaSubItem* m_sub;
    CCustomValuesForm* m_form;
    std::unique_ptr<CCustomValueMgr> m_before;
    bool m_changed = false;
};
