#include "sim/SimLineSettings.h"

#include <sstream>
#include <vector>

namespace {

bool ParseNumber(const std::string& text, uint32_t& value) {
    if (text.empty() || text.size() > 9)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return true;
}

} // namespace

bool ParseSimLineSettings(const std::string& text, TSimLineSettings& settings) {
    if (text == "any") {
        settings = TSimLineSettings{};
        return true;
    }
    std::vector<std::string> fields;
    std::stringstream stream(text);
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(field);
    if (fields.size() != 4)
        return false;
    TDcb dcb;
    uint32_t dataBits = 0, stopBits = 0;
    if (!ParseNumber(fields[0], dcb.BaudRate) || dcb.BaudRate == 0)
        return false;
    if (fields[1] == "N")
        dcb.Parity = NOPARITY;
    else if (fields[1] == "E")
        dcb.Parity = EVENPARITY;
    else if (fields[1] == "O")
        dcb.Parity = ODDPARITY;
    else
        return false;
    if (!ParseNumber(fields[2], dataBits) || (dataBits != 7 && dataBits != 8))
        return false;
    if (!ParseNumber(fields[3], stopBits) || (stopBits != 1 && stopBits != 2))
        return false;
    dcb.ByteSize = static_cast<uint8_t>(dataBits);
    dcb.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    settings.Any = false;
    settings.Dcb = dcb;
    return true;
}

TSimHearing SimHearing(const TSimLineSettings& unit, const TDcb& seen, bool framingVisible) {
    if (unit.Any)
        return TSimHearing::Clear;
    if (unit.Dcb.BaudRate != seen.BaudRate || unit.Dcb.StopBits != seen.StopBits)
        return TSimHearing::Deaf;
    if (framingVisible && (unit.Dcb.Parity != seen.Parity || unit.Dcb.ByteSize != seen.ByteSize))
        return TSimHearing::Garbled;
    return TSimHearing::Clear;
}

uint32_t SimFramingErrors(const TDcb& unit, const TDcb& seen) {
    uint32_t errors = 0;
    // A receiver that checks parity flags the unit's bytes; one that does not, or that expects a
    // different character length, finds the stop bit in the wrong place.
    if (unit.Parity != seen.Parity)
        errors |= seen.Parity != NOPARITY ? CE_RXPARITY : CE_FRAME;
    if (unit.ByteSize != seen.ByteSize)
        errors |= CE_FRAME;
    return errors;
}

std::string SimGarble(const std::string& bytes, const TDcb& seen) {
    // The receiver samples the bits one position off: every character comes out shifted.
    uint8_t mask = seen.ByteSize == 7 ? 0x7F : 0xFF;
    std::string garbled = bytes;
    for (char& c : garbled) {
        auto b = static_cast<uint8_t>(c);
        c = static_cast<char>(static_cast<uint8_t>((b << 1) | (b >> 7)) & mask);
    }
    return garbled;
}
