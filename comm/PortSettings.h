#pragma once
// The ten settings of a port as the setup windows show and write them, as ordinals in one fixed
// order: port name, port address, rate, data bits, parity, stop bits, hardware, port type,
// receive driver, transmit driver. Writing them in this order lets the coupling rules of the
// hardware description work as the windows expect: the hardware first sets its drivers, and the
// drivers written after it may still make it user-defined.

#include <array>

class TLBComm;

constexpr int PortSettingCount = 10;
using TPortSettings = std::array<int, PortSettingCount>;

TPortSettings ReadPortSettings(const TLBComm& port);
// Through the port's setters; an ordinal outside its enumeration (a list without a selection)
// leaves that setting as it is.
void WritePortSettings(TLBComm& port, const TPortSettings& settings);
