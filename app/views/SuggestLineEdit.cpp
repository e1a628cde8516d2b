#include "app/views/SuggestLineEdit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>
#include <utility>

CSuggestLineEdit::CSuggestLineEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_names(new QStringListModel(this))
    , m_completer(new QCompleter(m_names, this))
{
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setFilterMode(Qt::MatchStartsWith);
    setCompleter(m_completer);
}

void CSuggestLineEdit::SetNames(const QStringList& names)
{
    m_source = nullptr;
    if (m_names->stringList() != names)
        m_names->setStringList(names);
}

void CSuggestLineEdit::SetNamesSource(std::function<QStringList()> source)
{
    m_source = std::move(source);
    if (hasFocus())
        TakeNamesFromSource();
}

void CSuggestLineEdit::TakeNamesFromSource() const
{
    if (!m_source)
        return;
    const QStringList names = std::exchange(m_source, nullptr)();
    if (m_names->stringList() != names)
        m_names->setStringList(names);
}

QStringList CSuggestLineEdit::Names() const
{
    TakeNamesFromSource();
    return m_names->stringList();
}

void CSuggestLineEdit::focusInEvent(QFocusEvent* event)
{
    TakeNamesFromSource();
    QLineEdit::focusInEvent(event);
}

void CSuggestLineEdit::keyPressEvent(QKeyEvent* event)
{
    TakeNamesFromSource();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QAbstractItemView* popup = m_completer->popup();
    if (enter && popup && popup->isVisible()) {
        // The completer hands Enter to the field first: take the highlighted
        // suggestion, or the first when none is highlighted.
        QModelIndex current = popup->currentIndex();
        if (!current.isValid())
            current = m_completer->completionModel()->index(0, 0);
        if (current.isValid())
            setText(current.data(Qt::DisplayRole).toString());
        popup->hide();
        event->accept();
        emit SuggestionTaken();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
