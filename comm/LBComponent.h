#pragma once
// Protocol components: non-visual components bound to a port. Each builds one request frame,
// queues it at the port and reports the outcome on the UI thread through OnCommResult (the reply
// bytes) or OnCommError (the error record).

#include "comm/CommTypes.h"
#include "comm/MemoryStream.h"

#include <functional>
#include <string>

class TLBComm;
class TLBProtocolComponent;

// The request record a component queues at its port (by pointer).
struct TCommRequest {
    TLBProtocolComponent* Sender = nullptr;
    TFrameBuffer Frame{};
    int Timeout = 0;
    std::function<void(const TCommError& error, const TFrameBuffer& receiveBuffer)> RequestDone;
    std::function<void(TFrameBuffer receiveBuffer, TFrameBuffer sentFrame, bool& restart)>
        DataReceived;
};

class TLBComponent {
public:
    TLBComponent() = default;
    virtual ~TLBComponent();
    TLBComponent(const TLBComponent&) = delete;
    TLBComponent& operator=(const TLBComponent&) = delete;

    TLBComm* LBComm() const { return FLBComm; }
    virtual void SetLBComm(TLBComm* port);
    int ListIndex() const { return FListIndex; }
    // The name the component goes by in the communication log ("LD100ActPos").
    const std::string& Name() const { return FName; }
    void SetName(std::string name) { FName = std::move(name); }

protected:
    std::string FName;
    TLBComm* FLBComm = nullptr;
    int FListIndex = -1;
    bool FDestroying = false;
};

using TCommResultEvent = std::function<void(TLBProtocolComponent* sender, TMemoryStream& result)>;
using TCommErrorEvent = std::function<void(TLBProtocolComponent* sender,
                                           const TCommError& error, TMemoryStream& result)>;
using TNotifyEvent = std::function<void(TLBProtocolComponent* sender)>;

class TLBProtocolComponent : public TLBComponent {
public:
    TLBProtocolComponent();
    ~TLBProtocolComponent() override;

    bool Cyclic() const { return FCyclic; }
    // Switching on sends at once, except while a request of this component is still pending:
    // then that request's completion goes on with the cycle, so one chain runs, never two.
    void SetCyclic(bool value);
    int TimeoutTime() const { return FTimeoutTime; }
    void SetTimeoutTime(int ms) { FTimeoutTime = ms; }
    // Stores a byte of the frame; positions of 512 and above are ignored. Position 0 is the
    // frame length counting itself.
    void SetFrameByte(int position, uint8_t value);
    const TFrameBuffer& Frame() const { return FFrame; }

    virtual void Send();
    // True from Send until that request has completed (or the port dropped it): an entry of this
    // component waits in its port's queue or is being exchanged.
    bool RequestPending() const { return FOutstanding > 0; }

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCommResultEvent OnCommResult;
    TCommErrorEvent OnCommError;

    // Called on the UI thread by the worker's hand-over. RequestDone always finishes its steps
    // (the cycle goes on) and then passes on the first exception of an event handler; the result
    // stream holds exactly the bytes of the exchange during the events and is empty afterwards.
    virtual void RequestDone(const TCommError& commError, const TFrameBuffer& receiveBuffer);
    virtual void DataReceived(TFrameBuffer receiveBuffer, TFrameBuffer sentFrame, bool& restart);

    TMemoryStream& ResultStream() { return FResult; }
    const TCommRequest& Request() const { return FRequest; }

protected:
    friend class TLBComm;

    bool PortOpen() const;
    // The port dropped this component's queued entries (closing, or the device vanished).
    void ForgetRequests();
    void FireActivate();
    void FireDeactivate();

    TFrameBuffer FFrame{};
    int FTimeoutTime = 0;
    bool FCyclic = false;
    TMemoryStream FResult;
    TCommError FCurrentError;
    TCommError FLastError;
    TCommRequest FRequest;
    int FOutstanding = 0;
    // Advances whenever the port drops this component's entries.
    unsigned FQueueEpoch = 0;
};
