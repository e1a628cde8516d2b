#include "app/VemoApplication.h"

#include <QAbstractEventDispatcher>
#include <QThread>

CVemoApplication::CVemoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // While events come in bursts (a start, typing) the window's thread
    // lets go of the gate only for moments; the worker waits for a pause.
    m_gate.SetGrace(std::chrono::milliseconds(4));
    m_gate.Hold();
    // Only the outermost loop lets go: inside a handler (a modal dialog's
    // loop) the gate stays held by that handler's event.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
        if (m_waiting || m_gate.GetDepth() != 1)
            return;
        m_waiting = true;
        m_gate.Release();
    });
    const auto wake = [this] {
        if (!m_waiting)
            return;
        m_waiting = false;
        m_gate.Hold();
    };
    connect(dispatcher, &QAbstractEventDispatcher::awake, this, wake);
    // Some dispatchers run timers after their wait without saying so; what
    // follows the loop is held in any case.
    connect(this, &QCoreApplication::aboutToQuit, this, wake);
}

CVemoApplication::~CVemoApplication()
{
    if (!m_waiting)
        m_gate.Release();
}

bool CVemoApplication::notify(QObject* receiver, QEvent* event)
{
    if (QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    CReadGate::CHold hold(&m_gate);
    return QApplication::notify(receiver, event);
}

CReadGate* CVemoApplication::ReadGate()
{
    auto* app = qobject_cast<CVemoApplication*>(QCoreApplication::instance());
    return app ? &app->GetReadGate() : nullptr;
}
