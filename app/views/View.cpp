#include "app/views/View.h"

#include "app/doc/VemoLibraryDoc.h"

CView::CView(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_mediaType(mediaType)
{
    if (m_doc) {
        connect(m_doc, &CVemoLibraryDoc::UpdateAllViews, this, [this](int hint) { OnUpdate(hint); });
        connect(m_doc, &CVemoLibraryDoc::LibraryClosing, this, [this] { OnLibraryClosing(); });
    }
}
