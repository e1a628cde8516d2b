#include "app/views/FormField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/views/SuggestLineEdit.h"

namespace {

bool IsYes(const QString& text)
{
    for (QChar c : QStringLiteral("Yy1Tt"))
        if (text.contains(c))
            return true;
    return false;
}

} // namespace

CFormField::CFormField(const CFieldDesc& desc, QWidget* editor, QLabel* label, QObject* parent)
    : QObject(parent)
    , m_desc(desc)
    , m_editor(editor)
    , m_label(label)
{
    Connect();
}

QString CFormField::Name() const
{
    QString name = m_desc.label;
    name.replace("&&", QString(QChar(0x1)));
    name.remove('&');
    name.replace(QChar(0x1), "&");
    return name;
}

QComboBox* CFormField::Combo() const
{
    return qobject_cast<QComboBox*>(m_editor.data());
}

void CFormField::Connect()
{
    if (!m_editor)
        return;
    m_editor->installEventFilter(this);
    if (auto* line = qobject_cast<QLineEdit*>(m_editor.data())) {
        connect(line, &QLineEdit::textEdited, this, &CFormField::Edited);
        connect(line, &QLineEdit::returnPressed, this, &CFormField::Finished);
        if (auto* suggest = qobject_cast<CSuggestLineEdit*>(line))
            connect(suggest, &CSuggestLineEdit::SuggestionTaken, this, &CFormField::Finished);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(m_editor.data())) {
        connect(text, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_loading)
                emit Edited();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(m_editor.data())) {
        connect(check, &QCheckBox::clicked, this, [this] {
            emit Edited();
            emit Finished();
        });
    } else if (QComboBox* combo = Combo()) {
        connect(combo, &QComboBox::activated, this, [this] {
            emit Edited();
            emit Finished();
        });
        if (QLineEdit* line = combo->lineEdit()) {
            line->installEventFilter(this);
            connect(line, &QLineEdit::textEdited, this, &CFormField::Edited);
        }
    }
}

bool CFormField::eventFilter(QObject* watched, QEvent* event)
{
    // A popup (a completer's list, a menu) leaves the edit pending.
    if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        emit Finished();
    return QObject::eventFilter(watched, event);
}

QString CFormField::Text() const
{
    if (auto* line = qobject_cast<QLineEdit*>(m_editor.data()))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(m_editor.data()))
        return text->toPlainText();
    if (auto* check = qobject_cast<QCheckBox*>(m_editor.data()))
        return check->isChecked() ? "Y" : "N";
    if (QComboBox* combo = Combo()) {
        const QString shown = combo->currentText();
        const auto at = m_shown.indexOf(shown);
        return at >= 0 && at < m_values.size() ? m_values.at(at) : shown;
    }
    return QString();
}

void CFormField::SetText(const QString& value)
{
    m_loading = true;
    if (auto* line = qobject_cast<QLineEdit*>(m_editor.data())) {
        if (line->text() != value) {
            line->setText(value);
            line->setCursorPosition(0);
        }
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(m_editor.data())) {
        if (text->toPlainText() != value)
            text->setPlainText(value);
    } else if (auto* check = qobject_cast<QCheckBox*>(m_editor.data())) {
        check->setChecked(IsYes(value));
    } else if (QComboBox* combo = Combo()) {
        auto at = m_values.isEmpty() ? m_shown.indexOf(value) : m_values.indexOf(value);
        if (at < 0 && !m_values.isEmpty())
            at = m_shown.indexOf(value);
        if (at >= 0)
            combo->setCurrentIndex(static_cast<int>(at));
        else if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(-1);
        // A long entry shows from its start.
        if (QLineEdit* line = combo->lineEdit())
            line->setCursorPosition(0);
    }
    m_loading = false;
}

void CFormField::SetChoices(const QStringList& shown, const QStringList& values)
{
    QComboBox* combo = Combo();
    if (!combo || (shown == m_shown && values == m_values))
        return;
    // The entries change under the text the field shows.
    const QString current = Text();
    m_loading = true;
    m_shown = shown;
    m_values = values;
    combo->clear();
    combo->addItems(shown);
    m_loading = false;
    SetText(current);
}

void CFormField::SetNames(const QStringList& names)
{
    if (auto* suggest = qobject_cast<CSuggestLineEdit*>(m_editor.data()))
        suggest->SetNames(names);
}

void CFormField::SetNamesSource(std::function<QStringList()> source)
{
    if (auto* suggest = qobject_cast<CSuggestLineEdit*>(m_editor.data()))
        suggest->SetNamesSource(std::move(source));
}

void CFormField::SetEnabled(bool enabled)
{
    if (m_editor)
        m_editor->setEnabled(enabled);
    if (m_label)
        m_label->setEnabled(enabled);
}

bool CFormField::Holds(const QWidget* widget) const
{
    return widget && m_editor && (widget == m_editor || m_editor->isAncestorOf(widget));
}
