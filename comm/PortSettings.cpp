#include "comm/PortSettings.h"

#include "comm/LBComm.h"

namespace {

// Converts through the enumeration's underlying type only when the ordinal is one of its values.
template <typename E> bool Valid(int ordinal, E& value) {
    if (!InRange<E>(ordinal))
        return false;
    value = static_cast<E>(ordinal);
    return true;
}

template <typename E> void Write(TLBComm& port, void (TLBComm::*setter)(E), int ordinal) {
    E value;
    if (Valid(ordinal, value))
        (port.*setter)(value);
}

} // namespace

TPortSettings ReadPortSettings(const TLBComm& port) {
    return {Ord(port.PortName()),      Ord(port.PortAddress()),    Ord(port.Baudrate()),
            Ord(port.FrameDatabits()), Ord(port.FrameParitybit()), Ord(port.FrameStopbits()),
            Ord(port.Hardware()),      Ord(port.PortType()),       Ord(port.ReceiveDriver()),
            Ord(port.TransmitDriver())};
}

void WritePortSettings(TLBComm& port, const TPortSettings& settings) {
    Write(port, &TLBComm::SetPortName, settings[0]);
    Write(port, &TLBComm::SetPortAddress, settings[1]);
    Write(port, &TLBComm::SetBaudrate, settings[2]);
    Write(port, &TLBComm::SetFrameDatabits, settings[3]);
    Write(port, &TLBComm::SetFrameParitybit, settings[4]);
    Write(port, &TLBComm::SetFrameStopbits, settings[5]);
    Write(port, &TLBComm::SetHardware, settings[6]);
    Write(port, &TLBComm::SetPortType, settings[7]);
    Write(port, &TLBComm::SetReceiveDriver, settings[8]);
    Write(port, &TLBComm::SetTransmitDriver, settings[9]);
}
