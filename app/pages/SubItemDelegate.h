#pragma once
// In-place editors of the sub-item grid, by the column's kind: a choice list,
// or a line that admits only what a number or a time can hold. What is typed
// is checked by the model when it is taken over.

#include <QStyledItemDelegate>

class CSubItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};
