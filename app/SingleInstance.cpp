#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <unistd.h>

#include "platform/util/AppLogger.h"

namespace {
const QByteArray kActivate = "activate\n";
}

CSingleInstance::CSingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_name(ServerNameFor(key))
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kActivate.trimmed()))
                    emit Activated();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString CSingleInstance::ServerNameFor(const QString& key)
{
    QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QString("VemoLibrary-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool CSingleInstance::Start()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(500)) {
        socket.write(kActivate);
        socket.flush();
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        return false;
    }
    // A socket left behind by a copy that ended without closing it.
    QLocalServer::removeServer(m_name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket a second copy cannot be turned away, but this one
    // still runs.
    if (!m_server.listen(m_name))
        VemoLog("{9E3B7A20-4C1F-4D85-B6A2-F0D8C5E13B74}");
    return true;
}
