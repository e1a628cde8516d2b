#pragma once
// One running copy per user and data directory: the first start listens on
// a local socket; a later start finds it, asks it to come to the front,
// and ends.

#include <QLocalServer>
#include <QObject>
#include <QString>

class CSingleInstance : public QObject {
    Q_OBJECT

public:
    explicit CSingleInstance(const QString& key, QObject* parent = nullptr);

    // True when this is the only copy (it listens from now on); false when
    // another copy runs and was asked to come to the front.
    bool Start();
    static QString ServerNameFor(const QString& key);

signals:
    // Another start asked this copy to come to the front.
    void Activated();

private:
    QString m_name;
    QLocalServer m_server;
};
