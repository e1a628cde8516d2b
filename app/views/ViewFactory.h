#pragma once
// Chooses and creates the content view for a media type: the view class
// of each type, CEmptyView for any other value.

#include <QString>

class CView;
class CVemoLibraryDoc;
class QWidget;

class CViewFactory {
public:
    // The class name of the type's view ("CBookView"), "CEmptyView" otherwise.
    static QString ViewClassName(int mediaType);
    // Null when the view cannot be created.
    static CView* Create(int mediaType, CVemoLibraryDoc* doc, QWidget* parent);
};
