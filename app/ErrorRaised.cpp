#include "app/ErrorRaised.h"

#include <QDir>

QString ErrorRaisedText(const QString& errorClass, const QString& message) {
    return errorClass + QStringLiteral(" error raised, with message : ") + message;
}

QString FileReadErrorText(const QString& path, const QString& reason) {
    return ErrorRaisedText(
        QStringLiteral("EFileReadError"),
        QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
}
