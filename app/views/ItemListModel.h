#pragma once
// The entries of a media view's item list: one row per item of the type,
// showing the item's list text (which tells it apart from every other
// entry) and carrying the item. Filled in one step from the library's list
// texts and item order; rows are then inserted, replaced and removed one at
// a time as the view creates, edits and deletes items.

#include <QAbstractListModel>
#include <vector>

#include "platform/util/VemoTypes.h"

class CLibrary;
class CMediaItem;

class CItemListModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The item of a row (Qt::UserRole), as a pointer in a quintptr.
    static constexpr int ItemRole = Qt::UserRole;

    explicit CItemListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Every item of the type in the library's order; empty without a library.
    void Fill(const CLibrary* library, int mediaType);
    void Clear();

    CMediaItem* ItemAt(int row) const;
    const QString& TextAt(int row) const;
    // -1 when the item or text is not listed.
    int RowOf(const CMediaItem* item) const;
    int RowOfText(const QString& text) const;

    // Lists item at row (clamped) under text (made unique).
    void Insert(int row, CMediaItem* item, const QString& text);
    // Gives row a new text (made unique) in place; false when unchanged.
    bool Replace(int row, const QString& text);
    void Remove(int row);

    // text, or text followed by " (2)", " (3)"... so that no other row
    // (except row except) carries it.
    QString MakeUnique(const QString& text, int except = -1) const;

private:
    struct Entry {
        CMediaItem* item;
        QString text;
    };
    std::vector<Entry> m_entries;
};
