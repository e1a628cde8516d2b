#pragma once
// One running copy per user and data directory: the first start listens on
// a local socket; a later start finds it, hands over the files it was
// started with, asks it to come to the front, and ends.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class CSingleInstance : public QObject {
    Q_OBJECT

public:
    explicit CSingleInstance(const QString& key, QObject* parent = nullptr);

    // True when this is the only copy (it listens from now on); false when
    // another copy runs and was handed files (absolute paths) and asked to
    // come to the front.
    bool Start(const QStringList& files = {});
    static QString ServerNameFor(const QString& key);

    // The message a later start sends, one command a line: "open" and a
    // percent-encoded path for each file, then "activate".
    static QByteArray HandOverMessage(const QStringList& files);

signals:
    // Another start asked this copy to come to the front and open files.
    void Activated(const QStringList& files);

private:
    QString m_name;
    QLocalServer m_server;
};
