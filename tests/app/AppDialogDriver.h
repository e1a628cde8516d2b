#pragma once
// Answers a modal dialog that a command is about to run: once the dialog
// is on screen, act is called with it and is to close it; a dialog that a
// failed check left open is cancelled, so the test does not hang.

#include <QApplication>
#include <QTimer>
#include <functional>

template <class Dialog> void WhenShown(std::function<void(Dialog*)> act, int attempts = 50)
{
    QTimer::singleShot(10, [act, attempts] {
        Dialog* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attempts > 0)
                WhenShown<Dialog>(act, attempts - 1);
            return;
        }
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
