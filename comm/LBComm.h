#pragma once
// TLBComm owns one serial port: its line settings and the description of the interface
// hardware, opening and closing, the worker thread while open, the components bound to it and
// the queue of their requests. Everything here runs on the UI thread.

#include "comm/CommTypes.h"
#include "comm/SerialDevice.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCommLog;
class TLBComponent;
class TLBCommThread;
struct TCommRequest;

class TLBComm {
public:
    // `factory` makes the device each time the port opens; empty means the POSIX serial device.
    explicit TLBComm(TSerialDeviceFactory factory = {});
    virtual ~TLBComm();
    TLBComm(const TLBComm&) = delete;
    TLBComm& operator=(const TLBComm&) = delete;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    void Open();
    void Close();

    // Line settings: may change while open, applied to the running port at once.
    TBaudrate Baudrate() const { return FBaudrate; }
    void SetBaudrate(TBaudrate value);
    TDataBit FrameDatabits() const { return FDatabits; }
    void SetFrameDatabits(TDataBit value);
    TParityBit FrameParitybit() const { return FParity; }
    void SetFrameParitybit(TParityBit value);
    TStopBit FrameStopbits() const { return FStopbits; }
    void SetFrameStopbits(TStopBit value);

    // Hardware description: refused while open; kept consistent by the coupling rules.
    TPort PortName() const { return FPortName; }
    void SetPortName(TPort value);
    TPortAddr PortAddress() const { return FPortAddress; }
    void SetPortAddress(TPortAddr value);
    TPortType PortType() const { return FPortType; }
    void SetPortType(TPortType value);
    THardware Hardware() const { return FHardware; }
    void SetHardware(THardware value);
    TTransmitDriver TransmitDriver() const { return FTransmitDriver; }
    void SetTransmitDriver(TTransmitDriver value);
    TReceiveDriver ReceiveDriver() const { return FReceiveDriver; }
    void SetReceiveDriver(TReceiveDriver value);

    // Whether an LD100 reply ends at the LF of its CR LF instead of after 50 ms of silence; for
    // every LD100 component without a stop character of its own that allows it
    // (TLD100Protocol::LineEndEndsReply). The reply's bytes are the same either way, and one
    // without an LF still ends by the silence. Off by default; a change applies from the next
    // request on.
    bool ReplyEndsAtLineEnd() const { return FReplyEndsAtLineEnd; }
    void SetReplyEndsAtLineEnd(bool value) { FReplyEndsAtLineEnd = value; }
    // The log that receives an entry for every exchange of this port; none by default. A change
    // applies from the next request on.
    const std::shared_ptr<TCommLog>& Log() const { return FLog; }
    void SetLog(std::shared_ptr<TCommLog> log) { FLog = std::move(log); }

    // Copies the settings of `source` through the setters; does nothing while this port is open.
    void Assign(const TLBComm& source);

    // Appends a request; -1 when the port is closed or its device is lost. Index 0 starts it at
    // once.
    int QueueRequest(TCommRequest* request);
    // Called when the head request has finished: removes it and starts the next one.
    void NextRequest();

    std::function<void(TLBComm* sender)> OnActivate;
    std::function<void(TLBComm* sender)> OnDeactivate;
    // The device went away while open (a USB adapter pulled out): `error` is the failed
    // exchange's record (SystemError 995). From then on the port starts no request until it is
    // closed and opened again; the handler usually closes it.
    std::function<void(TLBComm* sender, const TCommError& error)> OnDeviceLost;
    // True from the loss of the device until the port closes.
    bool DeviceLost() const { return FDeviceLost; }

    uint8_t Language() const { return FLanguage; }
    uint16_t IoBaseAddress() const;
    const std::vector<TLBComponent*>& Components() const { return FComponents; }
    size_t QueueLength() const { return FQueue.size(); }

    // For the worker thread and the components of this library.
    TSerialDevice* Device() const { return FDevice.get(); }
    TLBCommThread* Thread() const { return FThread.get(); }
    bool Destroying() const { return FDestroying; }

private:
    friend class TLBComponent;
    friend class TLBProtocolComponent;
    friend class TLBCommThread;

    // Called instead of NextRequest when the head request failed because the device vanished.
    void LoseDevice(const TCommError& error);
    // Empties the queue; the components' entries in it will never complete.
    void DropQueue();

    // Puts FDcb on the open device; when the device refuses it, `restoreSetting` puts the
    // changed setting back and FDcb becomes `before` again, before ECommInitError is thrown.
    void ApplyDcb(const TDcb& before, const std::function<void()>& restoreSetting);
    void RefuseWhileOpen(const char* tail) const;
    // Whether a value suits the current hardware; one that does not makes it user-defined.
    bool FitsHardware(TPortType type) const;
    bool FitsHardware(TTransmitDriver driver) const;
    bool FitsHardware(TReceiveDriver driver) const;
    void ReleaseAfterFailedOpen();
    // Joins the workers of earlier openings that were closed from inside one of their own
    // hand-overs; with `wait`, waits for them (processing UI messages) instead of skipping.
    void JoinRetiredWorkers(bool wait);
    void RemoveQueuedRequestsOf(TCommRequest* request);

    TSerialDeviceFactory FFactory;
    std::shared_ptr<TSerialDevice> FDevice;
    std::shared_ptr<TLBCommThread> FThread;
    std::vector<std::shared_ptr<TLBCommThread>> FRetired;
    TDcb FDcb;
    bool FActive = false;
    bool FDestroying = false;
    bool FClosing = false;
    bool FDeviceLost = false;
    bool FReplyEndsAtLineEnd = false;
    std::shared_ptr<TCommLog> FLog;
    uint8_t FLanguage = 1;

    TBaudrate FBaudrate = TBaudrate::br9600;
    TDataBit FDatabits = TDataBit::db_8;
    TParityBit FParity = TParityBit::Even;
    TStopBit FStopbits = TStopBit::sb_1;
    TPort FPortName = TPort::COM1;
    TPortAddr FPortAddress = TPortAddr::pa_03F8;
    TPortType FPortType = TPortType::RS232C;
    THardware FHardware = THardware::Standard;
    TTransmitDriver FTransmitDriver = TTransmitDriver::tdNone;
    TReceiveDriver FReceiveDriver = TReceiveDriver::rdNone;

    std::vector<TLBComponent*> FComponents;
    std::deque<TCommRequest*> FQueue;
};
