#pragma once
// View, Select Media Types...: which media types the library shows, one
// check box per type in alphabetical order. At least one type stays
// selected: without one the OK button is off and a note says why.

#include <QDialog>

#include "data/store/MediaTypeSelection.h"

class QLabel;
class QListWidget;
class QPushButton;

class CMediaTypesDlg : public QDialog {
    Q_OBJECT

public:
    static inline const QString NONE_SELECTED_NOTE
        = "Select at least one media type: the main window shows the items of the types selected here.";

    CMediaTypesDlg(const CMediaTypeSelection& selection, QWidget* parent = nullptr);

    // The selection as the check boxes stand (the types 1..24).
    CMediaTypeSelection GetSelection() const;
    // True when the check boxes differ from the selection given.
    bool IsChanged() const;
    // Checks or clears the box of a type.
    void SetShow(int mediaType, bool show);
    QPushButton* GetOkButton() const { return m_ok; }

    // Refused while no type is selected.
    void accept() override;

private:
    void UpdateOk();

    CMediaTypeSelection m_original;
    QListWidget* m_list;
    QLabel* m_note;
    QPushButton* m_ok = nullptr;
};
