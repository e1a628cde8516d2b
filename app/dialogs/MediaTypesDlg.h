#pragma once
// View, Select Media Types...: which media types the library shows, one
// check box per type in alphabetical order.

#include <QDialog>

#include "data/store/MediaTypeSelection.h"

class QListWidget;

class CMediaTypesDlg : public QDialog {
    Q_OBJECT

public:
    CMediaTypesDlg(const CMediaTypeSelection& selection, QWidget* parent = nullptr);

    // The selection as the check boxes stand (the types 1..24).
    CMediaTypeSelection GetSelection() const;
    // True when the check boxes differ from the selection given.
    bool IsChanged() const;
    // Checks or clears the box of a type.
    void SetShow(int mediaType, bool show);

private:
    CMediaTypeSelection m_original;
    QListWidget* m_list;
};
