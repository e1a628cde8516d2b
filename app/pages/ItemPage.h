#pragma once
// A property page below a media view's fields: edits one part of the
// current item's data and takes over like the fields do.
#include <QWidget>
class CMediaItem;
class CVemoLibraryDoc;
class CItemPage : public QWidget {
    Q_OBJECT
public:
    CItemPage(CVemoLibraryDoc* doc, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_doc(doc)
    {
    }
    // The tab text, with its mnemonic.
    virtual QString Title() const = 0;
    // The item to show; null shows the empty, disabled state.
    virtual void SetItem(CMediaItem* item) = 0;
    // Writes a pending edit into the item (focus loss, item switch,
    // view change, quit).
    virtual void TakeOver() { }
    // An update hint of the document (CVemoLibraryDoc::UpdateHint).
    virtual void OnUpdate(int hint) { }
    // New sub-item (F5); false when the page has no sub-items.
    virtual bool AddSubItem() { return false; }
    virtual bool CanAddSubItem() const { return false; }
signals:
    // The page changed the item's data (the view marks the document).
    void ItemChanged();

protected:
    CVemoLibraryDoc* GetDocument() const { return m_doc; }

private:
    CVemoLibraryDoc* m_doc;
};
