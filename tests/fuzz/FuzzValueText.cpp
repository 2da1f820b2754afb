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
    const std::string raw(bytes.data(), length);
    // The reply read as the answer to its own two letters and to a command it does not answer.
    const std::string own = raw.size() >= 2 ? raw.substr(0, 2) : std::string("r0");

    for (size_t limit : {ShortValueTextLimit, size_t{50}, ValueTextLimit}) {
        const std::optional<QString> text = ReadValueTextChecked(reply, limit);
        FUZZ_CHECK(text.has_value() == (length <= limit));
        if (text)
            FUZZ_CHECK(text->size() == static_cast<qsizetype>(length > 5 ? length - 5 : 0));
        FUZZ_CHECK(ReadValueText(reply, limit) == text.value_or(QString()));
        for (const std::string& command : {own, std::string("\x01\x02")}) {
            const bool answers = ReplyAnswers(reply, command);
            FUZZ_CHECK(!answers || raw.starts_with(command));
            FUZZ_CHECK(ReadAnswerValueText(reply, command, limit) ==
                       (answers ? text : std::optional<QString>()));
            for (int decimals = 0; decimals <= DecimalsOfLinPosition; ++decimals) {
                const QString shown =
                    LiveValueText(reply, command, limit, decimals, QStringLiteral(" V"));
                FUZZ_CHECK(shown == NotANumberText || shown.endsWith(QLatin1String(" V")));
                FUZZ_CHECK(answers || shown == NotANumberText);
            }
        }
    }

    const QString text = ReadValueText(reply);
    int32_t value = 0;
    const bool answers = ReplyAnswers(reply, own);
    if (answers && ValueTextToInt(text, value))
        FUZZ_CHECK(LiveValueText(reply, own, ValueTextLimit, 0) == QString::number(value));
    else
        FUZZ_CHECK(LiveValueText(reply, own, ValueTextLimit, 0) == NotANumberText);
    FUZZ_CHECK(answers || BitPattern(reply, own) == 0);
    int32_t thumbwheel = 0;
    FUZZ_CHECK(ThumbwheelValue(reply, own, thumbwheel) <= answers);
    const QString error = ErrorNumberText(text);
    FUZZ_CHECK(error.isEmpty() || error.endsWith(text));
    IsAcceptedDeviceType(text.left(4));

    if (ReadReplyValue(raw, value))
        FUZZ_CHECK(raw.size() >= 6 && (raw.back() == '\r' || raw.back() == '\n'));
    parData[203] = parData[248] = 0;
}
