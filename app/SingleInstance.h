#pragma once
// Keeps the program to one running instance per user. The first instance holds a lock file and
// listens on a local socket; a later start finds the lock, asks the first instance over the
// socket to come to the front, and ends. A lock left by a crashed instance is taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

class TSingleInstance {
public:
    // `title` and the user's name form the key, so each user has an instance of their own.
    explicit TSingleInstance(const QString& title);
    ~TSingleInstance();

    // True when this process is the first instance (it then listens for later starts). False
    // when another instance runs; it has been asked to come forward.
    bool BecomeFirst();
    // Called in the first instance when a later start asks it to come forward.
    std::function<void()> OnActivateRequest;

    QString Key() const { return FKey; }

private:
    void AcceptConnection();
    bool AskFirstToActivate();

    QString FKey;
    std::unique_ptr<QLockFile> FLock;
    std::unique_ptr<QLocalServer> FServer;
};
