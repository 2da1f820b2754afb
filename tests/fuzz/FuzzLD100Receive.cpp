// The ASCII receive state machine of the port's worker: reply bytes in, one event out. Control
// bytes choose the start and stop characters, whether they are filtered out, and a line fault.

#include "comm/LD100Protocol.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzLine.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

constexpr TSequenceChar StartChars[] = {TSequenceChar::scNone, TSequenceChar::scSTX,
                                        TSequenceChar::scSOH, TSequenceChar::scSPACE};
constexpr TSequenceChar StopChars[] = {TSequenceChar::scNone, TSequenceChar::scCR,
                                       TSequenceChar::scLF, TSequenceChar::scETX};

struct TLD100Fixture {
    TFuzzLine& Line = TFuzzLine::Instance();
    TLD100Protocol Component;
    TLD100Fixture() {
        Component.SetProtocolFoot(TSequenceChar::scCR);
        Component.SetLBComm(&Line.Port());
    }
};

// What a sound line delivers when the reply starts as it must: every byte up to the stop
// character, without the start and stop characters when they are filtered.
std::vector<uint8_t> ExpectedReply(const std::vector<uint8_t>& bytes, uint8_t start, uint8_t stop,
                                   bool filtered) {
    std::vector<uint8_t> reply;
    size_t i = 0;
    if (start != 0) {
        if (!filtered)
            reply.push_back(start);
        i = 1;
    }
    for (; i < bytes.size(); ++i) {
        if (stop != 0 && bytes[i] == stop) {
            if (!filtered)
                reply.push_back(stop);
            break;
        }
        reply.push_back(bytes[i]);
    }
    return reply;
}

} // namespace

KQ9_FUZZ_TARGET(ld100_receive) {
    static TLD100Fixture fixture;
    TFuzzReader input(data, size);
    uint8_t mode = input.Byte();
    TLineScript script;
    script.TakeFault(input);
    script.Bytes = input.RestBytes();
    const auto start = static_cast<uint8_t>(StartChars[mode & 3]);
    const auto stop = static_cast<uint8_t>(StopChars[(mode >> 2) & 3]);
    const bool filtered = mode & 0x10;
    fixture.Component.SetReceiveStart(StartChars[mode & 3]);
    fixture.Component.SetReceiveStop(StopChars[(mode >> 2) & 3]);
    fixture.Component.SetFiltered(filtered);
    fixture.Component.SetASCIIProtocol(" rp 12 ");

    TExchange exchange = fixture.Line.Exchange(fixture.Component, script);

    FUZZ_CHECK(exchange.Results + exchange.Errors == 1);
    FUZZ_CHECK(exchange.Consumed <= script.Bytes.size());
    FUZZ_CHECK(exchange.Result.size() <= exchange.Consumed);
    // Up to three attempts, each sending the trimmed command and its foot.
    const std::vector<uint8_t> frame = {'r', 'p', ' ', '1', '2', '\r'};
    FUZZ_CHECK(exchange.Written.size() <= 3);
    for (const std::vector<uint8_t>& written : exchange.Written)
        FUZZ_CHECK(written == frame);

    const bool startsRight = start == 0 || (!script.Bytes.empty() && script.Bytes[0] == start);
    if (script.Fault == TLineFault::None && startsRight) {
        if (script.Bytes.empty()) {
            FUZZ_CHECK(exchange.Errors == 1 && exchange.Error.Code == CommCode::Timeout);
        } else {
            FUZZ_CHECK(exchange.Results == 1);
            FUZZ_CHECK(exchange.Result == ExpectedReply(script.Bytes, start, stop, filtered));
        }
    }
    if (exchange.Results == 1 && start != 0 && !filtered)
        FUZZ_CHECK(!exchange.Result.empty() && exchange.Result[0] == start);
}
