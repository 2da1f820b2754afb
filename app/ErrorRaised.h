#pragma once
// The message shown when a document the program reads for display or printing fails to load:
// the kind of failure, " error raised, with message : " and the reason.

#include <QString>

QString ErrorRaisedText(const QString& errorClass, const QString& message);

// A file that exists but cannot be read.
QString FileReadErrorText(const QString& path, const QString& reason);
