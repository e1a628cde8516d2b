#pragma once
// The program's QApplication. It holds the read gate of the window's thread
// (platform/util/ReadGate.h) whenever that thread may change data: while it
// handles an event, and before and after its event loop; the gate is free
// only while the loop waits for events. Work on other threads that reads the
// library (the search indexes) runs while the gate is free.

#include <QApplication>

#include "platform/util/ReadGate.h"

class CVemoApplication : public QApplication {
    Q_OBJECT

public:
    CVemoApplication(int& argc, char** argv);
    ~CVemoApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
    CReadGate& GetReadGate() { return m_gate; }
    // The gate of the running program; null under another QApplication
    // (tests), where no such work runs.
    static CReadGate* ReadGate();

private:
    CReadGate m_gate;
    // The gate is let go while the loop waits (depth 1 held otherwise).
    bool m_waiting = false;
};
