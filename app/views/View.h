#pragma once
// The content view of the main window: a media view of one type, or a view
// without a type. Views learn of document changes through OnUpdate and
// report their counts for the status bar.

#include <QWidget>

class CVemoLibraryDoc;

class CView : public QWidget {
    Q_OBJECT

public:
    CView(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    CVemoLibraryDoc* GetDocument() const { return m_doc; }
    // 0 for views without a media type.
    int GetMediaType() const { return m_mediaType; }
    virtual bool IsMediaView() const { return false; }

    // Once, after the view is in place.
    virtual void OnInitialUpdate() { }
    // An update hint of the document (CVemoLibraryDoc::UpdateHint).
    virtual void OnUpdate(int hint) { }
    // The view is about to go: take over what the user is editing.
    virtual void OnAboutToBeReplaced() { }
    // A command routed to the active view; false when the view has none.
    virtual bool OnCommand(int id) { return false; }
    // Whether a command routed to the view can run now.
    virtual bool IsCommandEnabled(int id) const { return false; }

signals:
    void StatusCountsChanged(int entries, int reserved, int checkedOut);
    // What IsCommandEnabled answers may have changed.
    void CommandStatesChanged();

protected:
    // The library is going away: drop everything taken from it.
    virtual void OnLibraryClosing() { }

private:
    CVemoLibraryDoc* m_doc;
    int m_mediaType;
};
