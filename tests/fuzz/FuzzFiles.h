#pragma once
// The files the file readers are given: one folder per process, in memory (/dev/shm) where the
// machine has it, so that a million inputs cost no disk writes. Removed at the end of the run.

#include <QByteArrayView>
#include <QString>

// The folder, ending in "/".
const QString& FuzzFolder();
// Writes `bytes` as the file `name` of the folder (replacing it) and returns its path.
QString WriteFuzzFile(const QString& name, QByteArrayView bytes);
// The file's bytes; empty when it cannot be read.
QByteArray ReadFuzzFile(const QString& path);
