#pragma once
// The candidates of an online look-up, one row each (cover, title, people,
// year, publisher or label, format, source), and whether the chosen one
// replaces what the item holds already. Covers arrive while the dialog is
// open (SetCover).

#include <QDialog>
#include <vector>

#include "data/lookup/LookupTypes.h"

class QCheckBox;
class QImage;
class QPushButton;
class QTreeWidget;

class CLookupChooserDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int COVER_SIZE = 64;

    // what: the query in words ("ISBN 9780451526533").
    CLookupChooserDlg(const std::vector<CLookupCandidate>& candidates, const QString& what, QWidget* parent = nullptr);

    // The row chosen; -1 when none is.
    int Chosen() const;
    void Choose(int row);
    bool Replace() const;
    void SetReplace(bool replace);
    // The cover of a row as a thumbnail; a picture Qt cannot read is left out.
    void SetCover(int row, const QByteArray& bytes);

    QTreeWidget* List() const { return m_list; }
    QCheckBox* ReplaceBox() const { return m_replace; }
    QPushButton* FillButton() const { return m_fill; }

    // The texts of a candidate's columns after the cover.
    static QStringList Columns(const CLookupCandidate& candidate);

private:
    QTreeWidget* m_list;
    QCheckBox* m_replace;
    QPushButton* m_fill;
};
