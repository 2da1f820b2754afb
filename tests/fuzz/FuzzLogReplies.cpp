// The log graph's recording, apart from its window: any sequence of replies, failures, stops and
// starts keeps the sample buffer within its 4001 slots with rising times, stores a value exactly
// for the replies that hold a number, and writes one CSV line per sample. A first byte of F8 or
// more repeats the last reply until the buffer is full, so that short inputs reach its end.

#include "app/ValueText.h"
#include "calib/GrafiekCsv.h"
#include "calib/GrafiekRecorder.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

KQ9_FUZZ_TARGET(log_replies) {
    TFuzzReader input(data, size);
    int64_t now = 1000;
    TGrafiekRecorder recorder(nullptr, [&now] { return now; });
    const uint8_t first = input.Byte();
    int source = first % 7;
    const bool fill = first >= 0xF8;
    recorder.Start(source);
    QByteArrayView bytes;
    uint8_t which = 0;
    for (int steps = 0; steps < 2 * LogSlotCount; ++steps) {
        if (!input.AtEnd()) {
            which = input.Byte();
            bytes = input.Take(input.Byte() % 60);
        } else if (!fill || !recorder.Recording() || which % 16 >= 13) {
            break; // only a reply is repeated
        }
        now += which;
        TMemoryStream reply = FuzzStream(bytes);
        const int before = recorder.Buffer.Newest;
        const bool recording = recorder.Recording();
        switch (which % 16) {
        case 13:
            recorder.LD100LeesLogDataCommError({CommCode::Timeout, 0, 0});
            break;
        case 14:
            recorder.Stop();
            break;
        case 15:
            source = which / 16 % 7;
            recorder.Start(source);
            break;
        default:
            recorder.LD100LeesLogDataCommResult(reply);
            if (recording && recorder.Buffer.Newest != before) {
                const int slot = recorder.Buffer.Newest;
                int32_t value = 0;
                const std::optional<QString> text = ReadAnswerValueText(
                    reply, LogSources[static_cast<size_t>(recorder.Buffer.Source)].Command,
                    TGrafiekRecorder::ReplyLimit);
                const bool number = reply.Size() >= 6 && text && ValueTextToInt(*text, value);
                FUZZ_CHECK(recorder.Buffer.Read[slot] == number);
                FUZZ_CHECK(!number || recorder.Buffer.Values[slot] == value);
            }
            break;
        }
        const TLogBuffer& buffer = recorder.Buffer;
        FUZZ_CHECK(buffer.Newest >= -1 && buffer.Newest < LogSlotCount);
        FUZZ_CHECK(buffer.Count == buffer.Newest + 1);
        if (buffer.Newest > 0)
            FUZZ_CHECK(buffer.Times[buffer.Newest] >= buffer.Times[buffer.Newest - 1]);
    }
    const QString csv = LogCsvText(recorder.Buffer, source);
    FUZZ_CHECK(csv.count(u'\n') == recorder.Buffer.Count + 1);
}
