#include "app/pages/SubItemDelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/pages/SubItemModel.h"

using Kind = CSubItemGrid::Kind;

QWidget* CSubItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const auto kind = static_cast<Kind>(index.data(CSubItemModel::KindRole).toInt());
    if (kind == Kind::Choice) {
        auto* combo = new QComboBox(parent);
        combo->addItems(index.data(CSubItemModel::ChoicesRole).toStringList());
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    if (kind == Kind::Number) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("\\s*\\d*\\s*"), edit));
        edit->setAlignment(Qt::AlignRight);
    } else if (kind == Kind::Time) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[\\d:.,\\s]*"), edit));
        edit->setAlignment(Qt::AlignRight);
    } else if (kind == Kind::Date) {
        edit->setPlaceholderText("YYYY-MM-DD");
    }
    return edit;
}

void CSubItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // A stored value outside the choices stays choosable.
        if (combo->findText(text) < 0)
            combo->addItem(text);
        combo->setCurrentIndex(combo->findText(text));
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(text);
}

void CSubItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        model->setData(index, combo->currentText());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text());
}
