#pragma once
// The start-up window: the program name and "Welcome!" on the first run,
// otherwise how long ago the program last ran. It goes on a click, when
// the first media view is shown, at exit, and after a minute at most.

#include <QTimer>
#include <QWidget>

#include "platform/util/OleDateTime.h"

class QLabel;

class CSplashWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int MAX_SHOW_MS = 60000;

    CSplashWindow(bool firstRun, const COleDateTime& lastRun, const COleDateTime& now, QWidget* parent = nullptr);

    // "Welcome!" or "last run <how long ago>".
    static QString Message(bool firstRun, const COleDateTime& lastRun, const COleDateTime& now);
    QString GetMessage() const;
    // Shows the window centred on the kept window rectangle (x, y, w, h).
    void ShowAt(const QRect& windowRect);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_message;
    QTimer m_timer;
};
