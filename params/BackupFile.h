#pragma once
// The backup file ("bak"): a controller's parameters and setpoints in binary, always 16020 bytes
// of 32-bit signed little-endian integers: two start markers, a parameter block of 2001 entries
// (parameter p at entry p, the rest 0), a setpoint block of 2000 entries (setpoint s at entry
// s - 1, that is the block's indices 1 … 2000; the rest 0), two end markers.

#include "params/ValueFile.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>
#include <vector>

constexpr int32_t BackupStartMarker = 11442233; // 0x00AE9839
constexpr int32_t BackupEndMarker = 123456789;  // 0x075BCD15
constexpr qsizetype BackupFileSize = 16020;

struct TBackupData {
    TParValues Par{};
    TSollValues Soll{}; // setpoint s at index s
    friend bool operator==(const TBackupData&, const TBackupData&) = default;
};

// A backup file that cannot be written or read; the message names the file and the reason.
class EBackupFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QByteArray BackupFileBytes(const TBackupData& data);

// Replaces the file atomically: a failure leaves an existing file as it was. Throws
// EBackupFileError when the file cannot be written.
void WriteBackupFile(const QString& path, const TBackupData& data);

// Reads the first 16020 bytes of the file (more are ignored). Throws EBackupFileError when the
// file cannot be read or is shorter; false when a marker is wrong, and `data` is then untouched.
bool ReadBackupFile(const QString& path, TBackupData& data);

// The values in which `device` differs from `file`, one line each, parameters first:
// "P017 file=-350 device=-300", "S003 file=10 device=12".
std::vector<QString> BackupDifferences(const TBackupData& file, const TBackupData& device);
