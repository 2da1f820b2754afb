#pragma once
// Reading and writing the program's text files. Files are read as UTF-8, or as Windows-1252 when
// they are not valid UTF-8 (files written by older versions of the tool); every file the program
// writes goes through WriteFileAtomic, so a failed write never leaves a half-written file.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252 bytes as text; the five codes that table leaves undefined map to the control
// characters of the same number, as the Windows converter does.
QString DecodeWindows1252(QByteArrayView bytes);
// The text as Windows-1252 bytes, the reverse of the above. False when a character has no code
// there; `unencodable` then gets the first such character (both halves of a surrogate pair).
bool EncodeWindows1252(const QString& text, QByteArray& bytes, QString* unencodable = nullptr);

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise. A leading UTF-8 byte order mark
// is dropped and reported through `hadBom`.
QString DecodeText(QByteArrayView bytes, bool* hadBom = nullptr);

// Reads the whole file. False (and `error` set, `text` untouched) when it cannot be read.
bool ReadTextFile(const QString& path, QString& text, bool* hadBom = nullptr,
                  QString* error = nullptr);
// The whole file as bytes (at most `limit` bytes of it when a limit is given); false (and
// `error` set) when it cannot be read.
bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error = nullptr,
                   qint64 limit = -1);

// Writes a temporary file in the same folder and renames it over `path`. On failure the old
// file stays as it was, `error` gets the reason and the result is false.
bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Whether WriteFileAtomic could replace `path` now (its folder takes the temporary file, an
// existing file may be replaced); nothing on disk changes. False with the reason in `error`.
// For a caller that would otherwise find out only after a long read.
bool CanWriteFileAtomic(const QString& path, QString* error = nullptr);
// The text as UTF-8, written as above.
bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error = nullptr);
