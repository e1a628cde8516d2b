#pragma once
// A label whose mnemonic ("&Name:") moves the focus to the widget it names;
// without a buddy the "&" would show as it is.

#include <QLabel>

inline QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
