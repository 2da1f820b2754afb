// The parameter and setpoint file readers: a file that opens gives values that, written as a
// file again, open as the same values; a file that does not open leaves the values untouched.

#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/ValueFile.h"

#include <algorithm>

namespace {

constexpr int32_t Untouched = 0x5EED5EED;

template <typename Values> Values Filled() {
    Values values;
    values.fill(Untouched);
    return values;
}

void CheckParamFile(const QString& path, bool checkHeader) {
    TParValues values = Filled<TParValues>();
    if (ReadParamFile(path, checkHeader, values) != TValueFileResult::Ok) {
        FUZZ_CHECK(values == Filled<TParValues>());
        return;
    }
    QString again = WriteFuzzFile(QStringLiteral("again.app"), ParamFileText(31, values).toUtf8());
    TParValues back{};
    FUZZ_CHECK(ReadParamFile(again, true, back) == TValueFileResult::Ok);
    FUZZ_CHECK(back == values);
}

void CheckSollFile(const QString& path, bool checkHeader) {
    TSollValues values = Filled<TSollValues>();
    if (ReadSollFile(path, checkHeader, values) != TValueFileResult::Ok) {
        FUZZ_CHECK(values == Filled<TSollValues>());
        return;
    }
    // Index 0 is no setpoint; the line 000 it stands beside is read but not kept.
    FUZZ_CHECK(values[0] == Untouched);
    QString again =
        WriteFuzzFile(QStringLiteral("again.aps"), SollFileText(31, values, 1234).toUtf8());
    TSollValues back{};
    FUZZ_CHECK(ReadSollFile(again, true, back) == TValueFileResult::Ok);
    FUZZ_CHECK(std::equal(back.begin() + 1, back.end(), values.begin() + 1));
}

} // namespace

KQ9_FUZZ_TARGET(value_file) {
    const QString path = WriteFuzzFile(QStringLiteral("values.txt"), FuzzBytes(data, size));
    for (bool checkHeader : {false, true}) {
        CheckParamFile(path, checkHeader);
        CheckSollFile(path, checkHeader);
    }
}
