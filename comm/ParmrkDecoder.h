#pragma once
// Decodes the byte stream of a descriptor in PARMRK mode: "FF 00 X" marks a byte X received with
// a parity or framing error, "FF 00 00" a break, "FF FF" a literal 0xFF. The decoded data bytes
// come out, and the errors seen are collected as CE_* bits.

#include <cstddef>
#include <cstdint>
#include <deque>

class TParmrkDecoder {
public:
    // `parityEnabled` decides whether a marked byte counts as a parity or a framing error.
    void Feed(const uint8_t* data, size_t count, bool parityEnabled);
    std::deque<uint8_t>& Bytes() { return FBytes; }
    // Returns and clears the errors seen.
    uint32_t TakeErrors();
    void Clear();

private:
    enum class TState { Normal, AfterFF, AfterFF00 } FState = TState::Normal;
    std::deque<uint8_t> FBytes;
    uint32_t FErrors = 0;
};
