// The value texts of replies as the main window and the bulk read take them: the reply less its
// echo and line end, read up to each handler's limit, as numbers, fixed-point texts, bit
// patterns, thumbwheel values, error numbers and parameter values. The first two bytes of the
// input are the decimals of the position and of the linearised position.

#include "app/Functies.h"
#include "app/LiveView.h"
#include "app/ValueText.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/LeesParSollSequence.h"
#include "params/ParamStore.h"

KQ9_FUZZ_TARGET(value_text) {
    TFuzzReader input(data, size);
    auto& parData = ParamStore().ParData;
    parData[203] = static_cast<int8_t>(input.Byte());
    parData[248] = static_cast<int8_t>(input.Byte());
    const QByteArrayView bytes = input.Rest();
    TMemoryStream reply = FuzzStream(bytes);
    const size_t length = static_cast<size_t>(bytes.size());

    for (size_t limit : {ShortValueTextLimit, size_t{50}, ValueTextLimit}) {
        const std::optional<QString> text = ReadValueTextChecked(reply, limit);
        FUZZ_CHECK(text.has_value() == (length <= limit));
        if (text)
            FUZZ_CHECK(text->size() == static_cast<qsizetype>(length > 5 ? length - 5 : 0));
        FUZZ_CHECK(ReadValueText(reply, limit) == text.value_or(QString()));
        for (int decimals = 0; decimals <= DecimalsOfLinPosition; ++decimals) {
            const QString shown = LiveValueText(reply, limit, decimals, QStringLiteral(" V"));
            FUZZ_CHECK(shown == NotANumberText || shown.endsWith(QLatin1String(" V")));
        }
    }

    const QString text = ReadValueText(reply);
    int32_t value = 0;
    if (ValueTextToInt(text, value))
        FUZZ_CHECK(LiveValueText(reply, ValueTextLimit, 0) == QString::number(value));
    else
        FUZZ_CHECK(LiveValueText(reply, ValueTextLimit, 0) == NotANumberText);
    BitPattern(reply);
    ThumbwheelValue(reply, value);
    const QString error = ErrorNumberText(text);
    FUZZ_CHECK(error.isEmpty() || error.endsWith(text));
    IsAcceptedDeviceType(text.left(4));

    const std::string raw(bytes.data(), static_cast<size_t>(bytes.size()));
    if (ReadReplyValue(raw, value))
        FUZZ_CHECK(raw.size() >= 6 && (raw.back() == '\r' || raw.back() == '\n'));
    parData[203] = parData[248] = 0;
}
