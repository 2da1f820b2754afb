#pragma once
// Reading a fuzz input: the bytes as a view, a reader that takes a few control bytes from the
// front, and a split into the several files of one input.

#include "comm/MemoryStream.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <vector>

inline QByteArrayView FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A reply as a component hands it to its result event: the bytes, read from the start.
TMemoryStream FuzzStream(QByteArrayView bytes);

// Takes control values from the front of the input; an exhausted input gives zeros, so every
// input, however short, means something.
class TFuzzReader {
public:
    TFuzzReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    int32_t Int32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<int32_t>(value);
    }
    bool AtEnd() const { return FPos >= FSize; }
    // Up to `count` bytes.
    QByteArrayView Take(size_t count);
    // Everything not yet taken.
    QByteArrayView Rest() { return Take(FSize - FPos); }
    std::vector<uint8_t> RestBytes();

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

// The parts of an input that stands for several files, separated by lines holding only
// `marker`; at most `count` parts, the last taking the rest. Missing parts are empty.
std::vector<QByteArrayView> SplitFuzzInput(QByteArrayView input, QByteArrayView marker,
                                           size_t count);

// The lines of a text, split at CR LF, CR or LF; a final line end adds no empty line.
QStringList TextLines(const QString& text);
