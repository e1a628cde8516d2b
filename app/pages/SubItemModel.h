#pragma once
// The grid of a medium's sub-items: one row per sub-item in list order, one
// column per field of the sub-item class (CSubItemGrid). Rows leave the
// model before their sub-item is destroyed, and moves go through
// beginMoveRows, so no row ever points at a freed sub-item.

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "data/model/SubItemGrid.h"

class CMediaItem;
class CMediaSubItem;

class CSubItemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The column's CSubItemGrid::Kind (int), and for choices the texts.
    static constexpr int KindRole = Qt::UserRole + 1;
    static constexpr int ChoicesRole = Qt::UserRole + 2;

    explicit CSubItemModel(QObject* parent = nullptr);

    // Shows the sub-items of item; null shows none.
    void SetItem(CMediaItem* item);
    CMediaItem* GetItem() const { return m_item; }
    // Columns and rows anew (after a setting changed a column's kind, or
    // sub-items changed behind the model's back).
    void Reload();

    CMediaSubItem* SubItemAt(int row) const;
    int RowOf(const CMediaSubItem* sub) const;
    const CSubItemGrid::Column& ColumnAt(int column) const { return m_columns.at(column); }
    int FindColumn(CSubItemGrid::Field field) const;

    // A new sub-item before row (appended at or past the end); its row, or
    // -1 without an item that has sub-items.
    int InsertSubItem(int row);
    // Takes the row out of the model, then hands its sub-item to destroy
    // (which deletes it from the medium).
    bool RemoveSubItem(int row, const std::function<void(CMediaSubItem*)>& destroy);
    bool MoveSubItem(int from, int to);
    void Renumber();
    // Every cell anew (the medium changed its sub-items' values itself).
    void Refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A typed value changed a sub-item.
    void SubItemEdited();
    // A typed value had to be corrected or was refused: the message.
    void ValueCorrected(const QString& message);

private:
    void Resync();
    void RowsChanged(int first, int last);

    CMediaItem* m_item = nullptr;
    std::vector<CSubItemGrid::Column> m_columns;
    std::vector<CMediaSubItem*> m_rows;
};
