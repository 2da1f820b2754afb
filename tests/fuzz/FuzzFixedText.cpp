// The fixed-point texts of typed values: FixedTextToInt gives a value within its limits or one
// of its two codes, and every value shown by IntToFixedText reads back as itself when its text
// fits the nine characters FixedTextToInt takes.

#include "app/Functies.h"
#include "app/TextFile.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/ParamStore.h"

#include <limits>

namespace {

constexpr int32_t Lowest = std::numeric_limits<int32_t>::min();
constexpr int32_t Highest = std::numeric_limits<int32_t>::max();

bool IsCode(int32_t result) {
    return result == FixedTextFormatError || result == FixedTextRangeError;
}

void CheckShownValue(int decimals, int32_t value) {
    const QString shown = IntToFixedText(decimals, value);
    FUZZ_CHECK(shown.startsWith(u'-') == (value < 0));
    if (decimals > 0) {
        qsizetype comma = shown.indexOf(u',');
        FUZZ_CHECK(comma > static_cast<qsizetype>(value < 0) &&
                   shown.size() - comma - 1 == decimals);
    }
    const qsizetype length = shown.size() - (decimals > 0 ? 1 : 0);
    const int32_t back = FixedTextToInt(shown, decimals, true, Lowest, Highest);
    FUZZ_CHECK(back == (length <= 9 ? value : FixedTextFormatError));
    if (value < 0)
        FUZZ_CHECK(FixedTextToInt(shown, decimals, false, Lowest, Highest) == FixedTextFormatError);
}

} // namespace

KQ9_FUZZ_TARGET(fixed_text) {
    TFuzzReader input(data, size);
    const int decimals = static_cast<int8_t>(input.Byte());
    const bool signAllowed = input.Byte() & 1;
    const int32_t minimum = input.Int32();
    const int32_t maximum = input.Int32();
    const int32_t value = input.Int32();
    auto& parData = ParamStore().ParData;
    parData[203] = static_cast<int8_t>(input.Byte());
    parData[248] = static_cast<int8_t>(input.Byte());
    const QString text = DecodeText(input.Rest());

    const int32_t result = FixedTextToInt(text, decimals, signAllowed, minimum, maximum);
    if (!IsCode(result)) {
        FUZZ_CHECK(result >= minimum && result <= maximum);
        FUZZ_CHECK(result >= -99999999 && result <= 999999999);
        FUZZ_CHECK(signAllowed || result >= 0);
    }
    const int32_t unlimited = FixedTextToInt(text, decimals, signAllowed, Lowest, Highest);
    if (result == FixedTextRangeError)
        FUZZ_CHECK(!IsCode(unlimited) && (unlimited < minimum || unlimited > maximum));
    else
        FUZZ_CHECK(unlimited == result);

    for (int d = 0; d <= 8; ++d)
        CheckShownValue(d, value);
    // The codes of the position's decimals and any number at all make a text as well.
    IntToFixedText(DecimalsOfPosition, value);
    IntToFixedText(DecimalsOfLinPosition, value);
    IntToFixedText(decimals, value);
    parData[203] = parData[248] = 0;
}
