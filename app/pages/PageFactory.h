#pragma once
#include <QList>
class CItemPage;
class CVemoLibraryDoc;
class QWidget;
class CPageFactory {
public:
    // The pages of a media type's view, in tab order.
    static QList<CItemPage*> CreatePages(int mediaType, CVemoLibraryDoc* doc, QWidget* parent);
};
