#pragma once
// The page of a medium's sub-items (chapters, articles, tracks, recordings):
// the grid with in-place editing, New (F5), Insert, Delete, Move Up, Move
// Down and Renumber, the custom field values of sub-items that have their
// own, the total length, and for recordable media the recording time left.

#include "app/pages/ItemPage.h"
#include "data/model/SubItemGrid.h"

class CSubItemModel;
class QLabel;
class QToolButton;
class QTableView;

class CSubItemsPage : public CItemPage {
    Q_OBJECT

public:
    // The page of the media type's sub-items; a type without sub-items gets
    // an empty page (the factory gives it none).
    CSubItemsPage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    // The sub-items of a media type, by its item class.
    static CSubItemGrid::SubItems SubItemsOf(int mediaType);

    QString Title() const override;
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;
    void OnUpdate(int hint) override;
    // Appends a sub-item and starts editing its title.
    bool AddSubItem() override;
    bool CanAddSubItem() const override;

    // The buttons' commands, on the current row.
    bool InsertSubItem();
    bool DeleteSubItem();
    bool MoveUp();
    bool MoveDown();
    bool Renumber();
    // The custom field values of the selected sub-item, for sub-items that
    // keep values of their own (articles); true when they changed.
    bool EditSubItemFields();
    bool SubItemsHaveFields() const { return m_subItemsHaveFields; }

    QTableView* GetGrid() const { return m_grid; }
    CSubItemModel* GetModel() const { return m_model; }
    QString LengthText() const;
    QString RemainingText() const;

public slots:
    // The view's media size, tape size or number of discs changed: the
    // recording time left, the disc choices and the tracks' discs follow.
    void OnMediaSizeChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The title column, where it is the one long text, gets the width the
    // other columns leave (with a least width).
    void FitTitle();
    // A new sub-item at row, with the initial values of the custom fields
    // when it has values of its own (articles); -1 when none was made.
    int NewSubItem(int row);
    int CurrentRow() const;
    void SelectRow(int row, bool edit);
    void Changed();
    void UpdateState();

    int m_mediaType;
    CSubItemGrid::SubItems m_subItems;
    bool m_subItemsHaveFields = false;
    int m_titleColumn = -1;
    CMediaItem* m_item = nullptr;
    CSubItemModel* m_model;
    QTableView* m_grid;
    QToolButton* m_new;
    QToolButton* m_insert;
    QToolButton* m_delete;
    QToolButton* m_up;
    QToolButton* m_down;
    QToolButton* m_renumber;
    QToolButton* m_fields;
    QLabel* m_length;
    QLabel* m_remaining;
};
