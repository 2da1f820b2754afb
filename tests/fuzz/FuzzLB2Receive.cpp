// The LB2 receive state machine of the port's worker (header 0x82 0x96, the length byte, 0x82
// doubled, XOR checksum): reply bytes in, one event out. A control bit makes the reply a
// well-formed frame around the input's bytes, so that sound replies are fuzzed as much as broken
// ones; whatever the line sent, an accepted reply must be one a peer could have framed.

#include "comm/LB2Protocol.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzLine.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

constexpr uint8_t Mark = 0x82, Second = 0x96;
constexpr size_t MaxPayload = 254; // the length byte counts the payload and the checksum

struct TLB2Fixture {
    TFuzzLine& Line = TFuzzLine::Instance();
    TLB2Protocol Component;
    TLB2Fixture() { Component.SetLBComm(&Line.Port()); }
};

void PutStuffed(std::vector<uint8_t>& out, uint8_t byte) {
    out.push_back(byte);
    if (byte == Mark)
        out.push_back(byte);
}

// The frame as a peer sends it: header, then `body` (its first byte the length) with 0x82
// doubled, then the XOR of the body, doubled as well when it is 0x82.
std::vector<uint8_t> Frame(const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out = {Mark, Second};
    uint8_t checksum = 0;
    for (uint8_t byte : body) {
        PutStuffed(out, byte);
        checksum ^= byte;
    }
    PutStuffed(out, checksum);
    return out;
}

// The reply around `payload`: its length byte counts the payload and the checksum.
std::vector<uint8_t> ReplyBody(QByteArrayView payload) {
    std::vector<uint8_t> body = {static_cast<uint8_t>(payload.size() + 1)};
    body.insert(body.end(), payload.begin(), payload.end());
    return body;
}

} // namespace

KQ9_FUZZ_TARGET(lb2_receive) {
    static TLB2Fixture fixture;
    TFuzzReader input(data, size);
    const bool wellFormed = input.Byte() & 1;
    TLineScript script;
    script.TakeFault(input);
    // The request: up to eight bytes after its length byte.
    QByteArrayView request = input.Take(input.Byte() % 9);
    std::vector<uint8_t> requestFrame = {static_cast<uint8_t>(request.size() + 1)};
    requestFrame.insert(requestFrame.end(), request.begin(), request.end());
    for (int i = 0; i < 10; ++i)
        fixture.Component.SetFrameByte(i, i < static_cast<int>(requestFrame.size())
                                              ? requestFrame[static_cast<size_t>(i)]
                                              : 0);

    std::vector<uint8_t> expected;
    if (wellFormed) {
        QByteArrayView payload = input.Take(MaxPayload);
        expected = ReplyBody(payload);
        script.Bytes = Frame(expected);
    } else {
        script.Bytes = input.RestBytes();
    }

    TExchange exchange = fixture.Line.Exchange(fixture.Component, script);

    FUZZ_CHECK(exchange.Results + exchange.Errors == 1);
    // One request frame at most (a failed write ends the exchange), then the abort frame after
    // a broken reply.
    const std::vector<uint8_t> abortFrame = {Mark, 0x00, Mark, 0x00};
    FUZZ_CHECK(exchange.Written.size() <= 2);
    if (!exchange.Written.empty())
        FUZZ_CHECK(exchange.Written[0] == Frame(requestFrame));
    if (exchange.Written.size() == 2)
        FUZZ_CHECK(exchange.Written[1] == abortFrame && exchange.Errors == 1);

    if (exchange.Results == 1) {
        // An accepted reply is exactly the frame of the result, and no error answer. A length
        // byte of 0 (which cannot count itself) reads its checksum and leaves no result.
        const std::vector<uint8_t>& result = exchange.Result;
        FUZZ_CHECK(result.empty() || result[0] == result.size());
        FUZZ_CHECK(result.size() < 2 || result[1] != 0xFF);
        std::vector<uint8_t> framed = Frame(result.empty() ? std::vector<uint8_t>{0} : result);
        FUZZ_CHECK(exchange.Consumed == framed.size());
        FUZZ_CHECK(std::equal(framed.begin(), framed.end(), script.Bytes.begin()));
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
