#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QUrl>
#include <memory>
#include <unistd.h>

#include "platform/util/AppLogger.h"

namespace {

const QByteArray kActivate = "activate";
const QByteArray kOpen = "open ";
// A hand-over longer than this is no hand-over of ours.
constexpr qsizetype kMaxMessage = 1 << 20;

} // namespace

CSingleInstance::CSingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_name(ServerNameFor(key))
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // The message may come in pieces: whole lines are taken as they
            // arrive.
            auto buffer = std::make_shared<QByteArray>();
            auto files = std::make_shared<QStringList>();
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer, files] {
                buffer->append(socket->readAll());
                if (buffer->size() > kMaxMessage) {
                    socket->abort();
                    return;
                }
                for (qsizetype end; (end = buffer->indexOf('\n')) >= 0;) {
                    const QByteArray line = buffer->left(end);
                    buffer->remove(0, end + 1);
                    if (line.startsWith(kOpen)) {
                        files->append(QUrl::fromPercentEncoding(line.mid(kOpen.size())));
                    } else if (line == kActivate) {
                        emit Activated(*files);
                        files->clear();
                        socket->disconnectFromServer();
                        return;
                    }
                }
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

QByteArray CSingleInstance::HandOverMessage(const QStringList& files)
{
    QByteArray message;
    for (const QString& file : files)
        message += kOpen + QUrl::toPercentEncoding(file) + '\n';
    return message + kActivate + '\n';
}

bool CSingleInstance::Start(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(500)) {
        socket.write(HandOverMessage(files));
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
