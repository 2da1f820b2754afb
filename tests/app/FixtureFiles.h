#pragma once
// Small files written by a test into its temporary folder, and read back.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/resource.h>

namespace kq9test {

inline QString WriteFixture(const QString& folder, const QString& name, const QByteArray& bytes) {
    QString path = folder + u'/' + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

inline QByteArray ReadFixture(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `write` with regular files limited to `bytes`, so that writing more fails even for a user
// whom file permissions do not stop.
template <typename Write> auto WithFileSizeLimit(rlim_t bytes, Write write) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    return result;
}

} // namespace kq9test
