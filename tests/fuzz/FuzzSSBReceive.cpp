// The SSB receive state machine of the port's worker (DLE STX … DLE ETX BCC, DLE doubled):
// reply bytes in, one event out. A control bit makes the reply a well-formed frame around the
// input's bytes; whatever the line sent, an accepted reply must be one a peer could have framed.

#include "comm/SSBProtocol.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzLine.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

constexpr uint8_t DLE = 0x10, STX = 0x02, ETX = 0x03;
constexpr size_t MaxData = 254; // the count byte counts the data and itself

struct TSSBFixture {
    TFuzzLine& Line = TFuzzLine::Instance();
    TSSBProtocol Component;
    TSSBFixture() { Component.SetLBComm(&Line.Port()); }
};

// The frame as a peer sends it: DLE STX, the data with DLE doubled, DLE ETX, the XOR of the
// data (never doubled).
template <typename Bytes> std::vector<uint8_t> Frame(const Bytes& data) {
    std::vector<uint8_t> out = {DLE, STX};
    uint8_t bcc = 0;
    for (auto c : data) {
        auto byte = static_cast<uint8_t>(c);
        out.push_back(byte);
        if (byte == DLE)
            out.push_back(byte);
        bcc ^= byte;
    }
    out.insert(out.end(), {DLE, ETX, bcc});
    return out;
}

} // namespace

KQ9_FUZZ_TARGET(ssb_receive) {
    static TSSBFixture fixture;
    TFuzzReader input(data, size);
    const bool wellFormed = input.Byte() & 1;
    TLineScript script;
    script.TakeFault(input);
    // The request: up to eight bytes after its length byte, which is not sent.
    QByteArrayView request = input.Take(input.Byte() % 9);
    fixture.Component.SetFrameByte(0, static_cast<uint8_t>(request.size() + 1));
    for (int i = 0; i < 9; ++i)
        fixture.Component.SetFrameByte(i + 1, i < request.size() ? static_cast<uint8_t>(request[i])
                                                                 : uint8_t{0});

    std::vector<uint8_t> expected;
    if (wellFormed) {
        QByteArrayView reply = input.Take(MaxData);
        expected = {static_cast<uint8_t>(reply.size() + 1)};
        expected.insert(expected.end(), reply.begin(), reply.end());
        script.Bytes = Frame(reply);
    } else {
        script.Bytes = input.RestBytes();
    }

    TExchange exchange = fixture.Line.Exchange(fixture.Component, script);

    FUZZ_CHECK(exchange.Results + exchange.Errors == 1);
    // Up to three attempts, each the request frame and, after a broken reply, the abort frame.
    const std::vector<uint8_t> requestFrame = Frame(request);
    const std::vector<uint8_t> abortFrame = {DLE, 0x00, DLE, 0x00};
    FUZZ_CHECK(exchange.Written.size() <= 6);
    for (const std::vector<uint8_t>& written : exchange.Written)
        FUZZ_CHECK(written == requestFrame || written == abortFrame);

    if (exchange.Results == 1) {
        // The accepted reply is the frame of the result, the last bytes read; no error answer.
        const std::vector<uint8_t>& result = exchange.Result;
        FUZZ_CHECK(!result.empty() && result[0] == result.size());
        FUZZ_CHECK(result.size() < 2 || result[1] != 0xFF);
        std::vector<uint8_t> framed = Frame(std::vector<uint8_t>(result.begin() + 1, result.end()));
        FUZZ_CHECK(exchange.Consumed >= framed.size());
        FUZZ_CHECK(std::equal(framed.begin(), framed.end(),
                              script.Bytes.begin() +
                                  static_cast<std::ptrdiff_t>(exchange.Consumed - framed.size())));
    }
    if (wellFormed && script.Fault == TLineFault::None) {
        if (expected.size() > 1 && expected[1] == 0xFF) {
            FUZZ_CHECK(exchange.Errors == 1 && exchange.Error.Code == CommCode::ErrorAnswer);
        } else {
            FUZZ_CHECK(exchange.Results == 1);
            FUZZ_CHECK(exchange.Result == expected);
        }
    }
}
