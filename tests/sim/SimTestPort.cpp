#include "SimTestPort.h"

#include "support/WaitUntil.h"

TSimTestPort::TSimTestPort(TSerialDeviceFactory factory, TPort port) : Port(std::move(factory)) {
    Port.SetPortName(port);
    Component.SetProtocolFoot(TSequenceChar::scCR);
    Component.SetLBComm(&Port);
}

TSimOutcome TSimTestPort::Exchange(const std::string& text, int timeoutMs) {
    TSimOutcome outcome;
    Component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream& result) {
        outcome.Done = outcome.Ok = true;
        outcome.Reply = result.ToString();
    };
    Component.OnCommError = [&](TLBProtocolComponent*, const TCommError& error, TMemoryStream&) {
        outcome.Done = true;
        outcome.Error = error;
    };
    Component.SetTimeoutTime(timeoutMs);
    Component.SetASCIIProtocol(text);
    auto start = std::chrono::steady_clock::now();
    Component.Send();
    kq9test::WaitUntil([&] { return outcome.Done; }, 5000);
    outcome.Took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    Component.OnCommResult = nullptr;
    Component.OnCommError = nullptr;
    return outcome;
}
