#pragma once
// What the Edit commands (Undo, Cut, Copy, Paste, Select All) act on: the
// text field that has the focus (a line edit, a plain or rich text edit, an
// editable combo box, a spin box) or an item view, whose selected cells
// Copy takes as tab-separated lines. Each command is possible only where it
// makes sense: Cut and Copy need a selection, Paste text on the clipboard
// and a field that can be changed, Undo something the field can undo.

#include <QList>
#include <QMetaObject>
#include <functional>

class QAbstractItemView;
class QAbstractSpinBox;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

class CEditTarget {
public:
    // focus may be null or a widget the commands do not apply to.
    explicit CEditTarget(QWidget* focus);

    bool IsField() const;
    bool CanRun(int id) const;
    // Runs the command when it can; false when it cannot.
    bool Run(int id) const;
    // Calls changed whenever what the commands can do here may have changed
    // (selection, text, undo history); the caller disconnects.
    QList<QMetaObject::Connection> Watch(QObject* context, const std::function<void()>& changed) const;

private:
    bool CanRunInLine(int id) const;
    template <class Edit> bool CanRunInText(const Edit* edit, int id) const;
    bool CanRunInItems(int id) const;
    void CopyItems() const;

    QLineEdit* m_line = nullptr;
    QAbstractSpinBox* m_spin = nullptr;
    QTextEdit* m_text = nullptr;
    QPlainTextEdit* m_plain = nullptr;
    QAbstractItemView* m_items = nullptr;
};
