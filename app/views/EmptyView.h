#pragma once
// The view shown when no media view applies: nothing.

#include "app/views/View.h"

class CEmptyView : public CView {
    Q_OBJECT

public:
    explicit CEmptyView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};
