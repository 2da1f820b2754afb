#pragma once
// The line settings a simulated unit answers at: one rate, number of data bits, parity and stop
// bits, or any. They are held in the device-control-block encodings, so they compare directly
// with what a port has set.

#include "comm/SerialDevice.h"

#include <cstdint>
#include <string>

struct TSimLineSettings {
    bool Any = true;
    TDcb Dcb;
};

// "any", or "rate,parity,databits,stopbits" with parity N, E or O, for example "38400,E,8,1".
// False for anything else; `settings` is then unchanged.
bool ParseSimLineSettings(const std::string& text, TSimLineSettings& settings);

// How a unit set to `unit` takes a command sent at `seen`.
enum class TSimHearing {
    Clear,   // it understands and answers normally
    Deaf,    // rate or stop bits differ: it hears nothing and stays silent
    Garbled, // parity or data bits differ: its answer arrives as garbage with line errors
};
// `framingVisible`: whether the transport reveals parity and data bits (a pty does not).
TSimHearing SimHearing(const TSimLineSettings& unit, const TDcb& seen, bool framingVisible);

// The CE_* line errors of bytes a unit sends at `unit` that a port receives at `seen`.
uint32_t SimFramingErrors(const TDcb& unit, const TDcb& seen);
// The bytes as a port set to `seen` receives them from a unit whose framing differs.
std::string SimGarble(const std::string& bytes, const TDcb& seen);
