#include "fuzz/FuzzFiles.h"

#include "fuzz/FuzzTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> MakeFolder() {
    QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/kq9fuzz-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

} // namespace

const QString& FuzzFolder() {
    static const std::unique_ptr<QTemporaryDir> folder = MakeFolder();
    static const QString path = folder->path() + u'/';
    FUZZ_CHECK(folder->isValid());
    return path;
}

QString WriteFuzzFile(const QString& name, QByteArrayView bytes) {
    QString path = FuzzFolder() + name;
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
    return path;
}

QByteArray ReadFuzzFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
