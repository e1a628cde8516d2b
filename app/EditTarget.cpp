#include "app/EditTarget.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <algorithm>

#include "app/CommandIds.h"

namespace {

bool ClipboardHasText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

} // namespace

CEditTarget::CEditTarget(QWidget* focus)
{
    if (!focus)
        return;
    if (auto* combo = qobject_cast<QComboBox*>(focus)) {
        m_line = combo->isEditable() ? combo->lineEdit() : nullptr;
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus)) {
        // The spin box's own line edit holds its text and selection.
        m_spin = spin;
        m_line = spin->findChild<QLineEdit*>();
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        m_line = line;
    } else if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        m_text = text;
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        m_plain = plain;
    } else if (auto* items = qobject_cast<QAbstractItemView*>(focus)) {
        if (items->model() && items->selectionModel())
            m_items = items;
    }
}

bool CEditTarget::IsField() const
{
    return m_line || m_text || m_plain || m_items;
}

bool CEditTarget::CanRun(int id) const
{
    if (m_line)
        return CanRunInLine(id);
    if (m_text)
        return CanRunInText(m_text, id);
    if (m_plain)
        return CanRunInText(m_plain, id);
    if (m_items)
        return CanRunInItems(id);
    return false;
}

bool CEditTarget::CanRunInLine(int id) const
{
    const bool readOnly = m_line->isReadOnly() || (m_spin && m_spin->isReadOnly());
    // A password shows dots: its text is not to leave the field.
    const bool hidden = m_line->echoMode() != QLineEdit::Normal;
    switch (id) {
    case ID_EDIT_UNDO:
        return !readOnly && m_line->isUndoAvailable();
    case ID_EDIT_CUT:
        return !readOnly && !hidden && m_line->hasSelectedText();
    case ID_EDIT_COPY:
        return !hidden && m_line->hasSelectedText();
    case ID_EDIT_PASTE:
        return !readOnly && ClipboardHasText();
    case ID_EDIT_SELECT_ALL:
        return !m_line->text().isEmpty();
    default:
        return false;
    }
}

template <class Edit> bool CEditTarget::CanRunInText(const Edit* edit, int id) const
{
    const bool readOnly = edit->isReadOnly();
    const bool selection = edit->textCursor().hasSelection();
    switch (id) {
    case ID_EDIT_UNDO:
        return !readOnly && edit->isUndoRedoEnabled() && edit->document()->isUndoAvailable();
    case ID_EDIT_CUT:
        return !readOnly && selection;
    case ID_EDIT_COPY:
        return selection;
    case ID_EDIT_PASTE:
        return !readOnly && edit->canPaste();
    case ID_EDIT_SELECT_ALL:
        return !edit->document()->isEmpty();
    default:
        return false;
    }
}

bool CEditTarget::CanRunInItems(int id) const
{
    switch (id) {
    case ID_EDIT_COPY:
        return m_items->selectionModel()->hasSelection();
    case ID_EDIT_SELECT_ALL: {
        const auto mode = m_items->selectionMode();
        return (mode == QAbstractItemView::ExtendedSelection || mode == QAbstractItemView::MultiSelection
                   || mode == QAbstractItemView::ContiguousSelection)
            && m_items->model()->rowCount(m_items->rootIndex()) > 0;
    }
    default:
        return false;
    }
}

bool CEditTarget::Run(int id) const
{
    if (!CanRun(id))
        return false;
    if (m_items) {
        if (id == ID_EDIT_COPY)
            CopyItems();
        else
            m_items->selectAll();
        return true;
    }
    // The three kinds of field have these slots under the same names.
    QObject* field = m_line ? static_cast<QObject*>(m_line)
                            : (m_text ? static_cast<QObject*>(m_text) : static_cast<QObject*>(m_plain));
    const char* slot = nullptr;
    switch (id) {
    case ID_EDIT_UNDO:
        slot = "undo";
        break;
    case ID_EDIT_CUT:
        slot = "cut";
        break;
    case ID_EDIT_COPY:
        slot = "copy";
        break;
    case ID_EDIT_PASTE:
        slot = "paste";
        break;
    default:
        slot = "selectAll";
        break;
    }
    return QMetaObject::invokeMethod(field, slot);
}

void CEditTarget::CopyItems() const
{
    QModelIndexList cells = m_items->selectionModel()->selectedIndexes();
    std::sort(cells.begin(), cells.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    QString text;
    int row = -1;
    for (const QModelIndex& cell : cells) {
        if (row >= 0)
            text += cell.row() == row ? '\t' : '\n';
        row = cell.row();
        text += cell.data(Qt::DisplayRole).toString();
    }
    QApplication::clipboard()->setText(text);
}

QList<QMetaObject::Connection> CEditTarget::Watch(QObject* context, const std::function<void()>& changed) const
{
    QList<QMetaObject::Connection> connections;
    if (m_line) {
        connections << QObject::connect(m_line, &QLineEdit::selectionChanged, context, changed)
                    << QObject::connect(m_line, &QLineEdit::textChanged, context, changed);
    } else if (m_text) {
        connections << QObject::connect(m_text, &QTextEdit::selectionChanged, context, changed)
                    << QObject::connect(m_text, &QTextEdit::undoAvailable, context, changed)
                    << QObject::connect(m_text, &QTextEdit::textChanged, context, changed);
    } else if (m_plain) {
        connections << QObject::connect(m_plain, &QPlainTextEdit::selectionChanged, context, changed)
                    << QObject::connect(m_plain, &QPlainTextEdit::undoAvailable, context, changed)
                    << QObject::connect(m_plain, &QPlainTextEdit::textChanged, context, changed);
    } else if (m_items) {
        connections << QObject::connect(m_items->selectionModel(), &QItemSelectionModel::selectionChanged, context,
            changed) << QObject::connect(m_items->model(), &QAbstractItemModel::modelReset, context, changed)
                    << QObject::connect(m_items->model(), &QAbstractItemModel::rowsInserted, context, changed)
                    << QObject::connect(m_items->model(), &QAbstractItemModel::rowsRemoved, context, changed);
    }
    return connections;
}
