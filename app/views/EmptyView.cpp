#include "app/views/EmptyView.h"

CEmptyView::CEmptyView(CVemoLibraryDoc* doc, QWidget* parent)
    : CView(doc, 0, parent)
{
}
