#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

const QByteArray ActivateMessage = "activate\n";

QString LockFolder() {
    // The runtime folder is private to the user; without one the temporary folder serves.
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    return QDir::tempPath();
}

} // namespace

TSingleInstance::TSingleInstance(const QString& title) {
    QByteArray identity = title.toUtf8() + '\n' + QByteArray::number(::getuid());
    FKey =
        "kq9-" + QString::fromLatin1(
                     QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
}

TSingleInstance::~TSingleInstance() {
    if (FServer)
        FServer->close();
}

bool TSingleInstance::BecomeFirst() {
    FLock = std::make_unique<QLockFile>(QDir(LockFolder()).filePath(FKey + ".lock"));
    // Only a lock whose process no longer runs is stale (never one that is merely old); tryLock
    // takes such a lock over.
    FLock->setStaleLockTime(0);
    if (FLock->tryLock(0)) {
        QLocalServer::removeServer(FKey); // a socket left by a crashed instance
        FServer = std::make_unique<QLocalServer>();
        FServer->setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(FServer.get(), &QLocalServer::newConnection,
                         [this] { AcceptConnection(); });
        FServer->listen(FKey);
        return true;
    }
    AskFirstToActivate();
    return false;
}

void TSingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (socket->readAll().contains(ActivateMessage.trimmed()) && OnActivateRequest)
                OnActivateRequest();
            socket->disconnectFromServer();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

bool TSingleInstance::AskFirstToActivate() {
    // The first instance may still be starting up: try for a few seconds.
    QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(FKey);
        if (socket.waitForConnected(500)) {
            socket.write(ActivateMessage);
            bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}
