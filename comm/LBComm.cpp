#include "comm/LBComm.h"

#include "comm/ComNames.h"
#include "comm/CommExceptions.h"
#include "comm/CommTexts.h"
#include "comm/LBCommThread.h"
#include "comm/LBComponent.h"
#include "comm/OpenFailure.h"
#include "comm/PosixSerialDevice.h"
#include "comm/UiHandover.h"

#include <algorithm>
#include <exception>

namespace {

constexpr uint8_t ByteSizes[] = {7, 8};
constexpr uint8_t Parities[] = {NOPARITY, EVENPARITY, ODDPARITY};
constexpr uint8_t StopBits[] = {ONESTOPBIT, TWOSTOPBITS};
constexpr uint16_t IoAddresses[] = {0x3F8, 0x2F8, 0x3E8, 0x2E8};
constexpr uint32_t QueueSize = 512;

} // namespace

TLBComm::TLBComm(TSerialDeviceFactory factory) : FFactory(std::move(factory)) {
    if (!FFactory)
        FFactory = [] { return std::make_shared<TPosixSerialDevice>(); };
    FLanguage = CommLanguage();
}

TLBComm::~TLBComm() {
    FDestroying = true;
    try {
        Close();
    } catch (...) {
        // A failing close of the handle has nobody left to report to.
    }
    JoinRetiredWorkers(true);
    while (!FComponents.empty())
        FComponents.back()->SetLBComm(nullptr);
}

void TLBComm::SetActive(bool value) {
    if (value)
        Open();
    else
        Close();
}

void TLBComm::Open() {
    // While a close waits for its worker, UI messages run; an opening among them is dropped.
    if (FActive || FClosing)
        return;
    JoinRetiredWorkers(false);
    auto device = FFactory();
    const std::string path = ComDevicePath(FPortName);
    if (int error = device->CreateFile(path); error != 0)
        throw ECommHandleError(OpenFailureMessage(path, error));
    FDevice = device;
    FActive = true;
    try {
        if (int error = FDevice->SetupComm(QueueSize, QueueSize); error != 0)
            throw ECommInitError(SysErrorMessage(error));
        if (int error = FDevice->GetCommState(FDcb); error != 0)
            throw ECommInitError(SysErrorMessage(error));
        FDcb.ByteSize = ByteSizes[Ord(FDatabits)];
        FDcb.StopBits = StopBits[Ord(FStopbits)];
        FDcb.Parity = Parities[Ord(FParity)];
        SetBaudrate(FBaudrate);
    } catch (...) {
        ReleaseAfterFailedOpen();
        throw;
    }
    FThread = std::make_shared<TLBCommThread>(this, FDevice);
    FThread->Start();
    if (!FDestroying && OnActivate)
        OnActivate(this);
}

void TLBComm::ReleaseAfterFailedOpen() {
    FDevice->CloseHandle();
    FDevice.reset();
    FActive = false;
}

void TLBComm::Close() {
    if (!FActive)
        return;
    FActive = false;
    FClosing = true;
    // Cleared before the port's own deactivation event, or by a handler's exception.
    struct TClosed {
        bool& Closing;
        ~TClosed() { Closing = false; }
    } closed{FClosing};
    // Every step runs even when an event handler throws: a worker left running or a descriptor
    // left open would keep the device locked until the program ends. The first exception is
    // passed on once the port is closed.
    std::exception_ptr failure;
    auto step = [&failure](const auto& action) {
        try {
            action();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    // A component may unbind itself from its deactivation handler: walk a copy.
    std::vector<TLBComponent*> components = FComponents;
    for (TLBComponent* component : components) {
        if (std::find(FComponents.begin(), FComponents.end(), component) == FComponents.end())
            continue;
        if (auto* protocol = dynamic_cast<TLBProtocolComponent*>(component))
            step([protocol] { protocol->SetCyclic(false); });
    }
    DropQueue();
    FDeviceLost = false;
    std::shared_ptr<TLBCommThread> thread = std::move(FThread);
    std::shared_ptr<TSerialDevice> device = std::move(FDevice);
    thread->Terminate();
    thread->SetRequest(nullptr);
    if (thread->InHandover()) {
        // Closed from a handler that the worker is waiting for: the worker cannot end before
        // that handler returns. It ends by itself then, touching nothing of this port, and is
        // joined later.
        FRetired.push_back(std::move(thread));
    } else {
        while (!thread->Finished())
            step([] { UiHandover().ProcessMessages(-1); });
        thread->Join();
        thread.reset();
    }
    step([this] { JoinRetiredWorkers(false); });
    FClosing = false;
    if (int error = device->CloseHandle(); error != 0) {
        if (!failure)
            failure = std::make_exception_ptr(ECommHandleError(SysErrorMessage(error)));
    } else if (!FDestroying && OnDeactivate) {
        step([this] { OnDeactivate(this); });
    }
    if (failure)
        std::rethrow_exception(failure);
}

void TLBComm::DropQueue() {
    FQueue.clear();
    for (TLBComponent* component : FComponents)
        if (auto* protocol = dynamic_cast<TLBProtocolComponent*>(component))
            protocol->ForgetRequests();
}

void TLBComm::LoseDevice(const TCommError& error) {
    if (!FActive || FDeviceLost)
        return;
    // Every further request would fail at once and the cyclic ones would come straight back, so
    // the port starts none until it is opened again.
    FDeviceLost = true;
    DropQueue();
    if (!FDestroying && OnDeviceLost)
        OnDeviceLost(this, error);
}

void TLBComm::JoinRetiredWorkers(bool wait) {
    for (auto it = FRetired.begin(); it != FRetired.end();) {
        TLBCommThread& thread = **it;
        if (wait && !thread.InHandover()) {
            while (!thread.Finished())
                UiHandover().ProcessMessages(-1);
        }
        if (thread.Finished()) {
            thread.Join();
            it = FRetired.erase(it);
        } else if (wait) {
            // Only a port destroyed from its own worker's handler gets here; the worker still
            // ends by itself.
            thread.Detach();
            it = FRetired.erase(it);
        } else {
            ++it;
        }
    }
}

void TLBComm::ApplyDcb(const TDcb& before, const std::function<void()>& restoreSetting) {
    if (!FActive || !FDevice)
        return;
    const int error = FDevice->SetCommState(FDcb);
    if (error == 0)
        return;
    // A refused setting leaves the device at the settings it had, and the port says so too; they
    // go back on the device in case the refusal came after part of the change took.
    restoreSetting();
    FDcb = before;
    FDevice->SetCommState(FDcb);
    throw ECommInitError(SysErrorMessage(error));
}

void TLBComm::SetBaudrate(TBaudrate value) {
    if (!InRange(value))
        return;
    const auto previous = FBaudrate;
    const TDcb before = FDcb;
    FBaudrate = value;
    if (FActive) {
        FDcb.BaudRate = BitsPerSecond(value);
        ApplyDcb(before, [&] { FBaudrate = previous; });
    }
}

void TLBComm::SetFrameDatabits(TDataBit value) {
    if (!InRange(value))
        return;
    const auto previous = FDatabits;
    const TDcb before = FDcb;
    FDatabits = value;
    if (FActive) {
        FDcb.ByteSize = ByteSizes[Ord(value)];
        ApplyDcb(before, [&] { FDatabits = previous; });
    }
}

void TLBComm::SetFrameParitybit(TParityBit value) {
    if (!InRange(value))
        return;
    const auto previous = FParity;
    const TDcb before = FDcb;
    FParity = value;
    if (FActive) {
        FDcb.Parity = Parities[Ord(value)];
        ApplyDcb(before, [&] { FParity = previous; });
    }
}

void TLBComm::SetFrameStopbits(TStopBit value) {
    if (!InRange(value))
        return;
    const auto previous = FStopbits;
    const TDcb before = FDcb;
    FStopbits = value;
    if (FActive) {
        FDcb.StopBits = StopBits[Ord(value)];
        ApplyDcb(before, [&] { FStopbits = previous; });
    }
}

void TLBComm::RefuseWhileOpen(const char* tail) const {
    if (FActive)
        throw ECommInitError(PortDisplayName(FPortName) + " is active!\r\n\r\n" + tail);
}

void TLBComm::SetPortName(TPort value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change port");
    FPortName = value;
    // The four classic ports have their classic I/O addresses; COM5 … COM16 have none, so the
    // address stays as it was (it is only shown, never used).
    if (Ord(value) < EnumCount<TPortAddr>())
        SetPortAddress(static_cast<TPortAddr>(Ord(value)));
}

void TLBComm::SetPortAddress(TPortAddr value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change the port address");
    FPortAddress = value;
}

bool TLBComm::FitsHardware(TPortType type) const {
    switch (FHardware) {
    case THardware::Standard:
    case THardware::PhoenixPSM:
        return type == TPortType::RS232C;
    case THardware::PCLabPCL745:
        return type != TPortType::RS232C;
    case THardware::UserDefined:
        break;
    }
    return true;
}

bool TLBComm::FitsHardware(TTransmitDriver driver) const {
    switch (FHardware) {
    case THardware::Standard:
        return driver == TTransmitDriver::tdNone;
    case THardware::PCLabPCL745:
        return driver == TTransmitDriver::tdRegister7to1;
    case THardware::PhoenixPSM:
        return driver == TTransmitDriver::tdDTRto0;
    case THardware::UserDefined:
        break;
    }
    return true;
}

bool TLBComm::FitsHardware(TReceiveDriver driver) const {
    switch (FHardware) {
    case THardware::Standard:
    case THardware::PhoenixPSM:
        return driver == TReceiveDriver::rdNone;
    case THardware::PCLabPCL745:
        return driver == TReceiveDriver::rdRegister7to2;
    case THardware::UserDefined:
        break;
    }
    return true;
}

void TLBComm::SetPortType(TPortType value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change the port type");
    FPortType = value;
    if (!FitsHardware(value))
        SetHardware(THardware::UserDefined);
}

void TLBComm::SetTransmitDriver(TTransmitDriver value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change device driver");
    FTransmitDriver = value;
    if (!FitsHardware(value))
        SetHardware(THardware::UserDefined);
}

void TLBComm::SetReceiveDriver(TReceiveDriver value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change device driver");
    FReceiveDriver = value;
    if (!FitsHardware(value))
        SetHardware(THardware::UserDefined);
}

void TLBComm::SetHardware(THardware value) {
    if (!InRange(value))
        return;
    RefuseWhileOpen("Cannot change port hardware");
    FHardware = value;
    switch (value) {
    case THardware::PCLabPCL745:
        if (FPortType == TPortType::RS232C)
            SetPortType(TPortType::RS485);
        SetTransmitDriver(TTransmitDriver::tdRegister7to1);
        SetReceiveDriver(TReceiveDriver::rdRegister7to2);
        break;
    case THardware::Standard:
    case THardware::PhoenixPSM:
        if (FPortType != TPortType::RS232C)
            SetPortType(TPortType::RS232C);
        SetTransmitDriver(value == THardware::Standard ? TTransmitDriver::tdNone
                                                       : TTransmitDriver::tdDTRto0);
        SetReceiveDriver(TReceiveDriver::rdNone);
        break;
    case THardware::UserDefined:
        break;
    }
}

void TLBComm::Assign(const TLBComm& source) {
    if (FActive)
        return;
    SetPortName(source.PortName());
    SetPortAddress(source.PortAddress());
    SetBaudrate(source.Baudrate());
    SetFrameDatabits(source.FrameDatabits());
    SetFrameParitybit(source.FrameParitybit());
    SetFrameStopbits(source.FrameStopbits());
    SetHardware(source.Hardware());
    SetPortType(source.PortType());
    SetReceiveDriver(source.ReceiveDriver());
    SetTransmitDriver(source.TransmitDriver());
}

uint16_t TLBComm::IoBaseAddress() const {
    return IoAddresses[Ord(FPortAddress)];
}

int TLBComm::QueueRequest(TCommRequest* request) {
    if (!FActive || FDeviceLost)
        return -1;
    FQueue.push_back(request);
    int index = static_cast<int>(FQueue.size()) - 1;
    if (index == 0)
        FThread->SetRequest(request);
    return index;
}

void TLBComm::NextRequest() {
    if (!FQueue.empty())
        FQueue.pop_front();
    if (FActive && !FQueue.empty())
        FThread->SetRequest(FQueue.front());
}

void TLBComm::RemoveQueuedRequestsOf(TCommRequest* request) {
    if (FQueue.empty())
        return;
    // The head is in the worker's hands and leaves the queue when it completes.
    auto waiting = FQueue.begin() + 1;
    FQueue.erase(std::remove(waiting, FQueue.end(), request), FQueue.end());
}
