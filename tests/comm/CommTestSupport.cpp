#include "CommTestSupport.h"

#include "support/WaitUntil.h"

void TEventLog::Attach(TLBProtocolComponent& component) {
    component.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        Results.push_back(result.ToString());
        Order.push_back("result");
    };
    component.OnCommError = [this](TLBProtocolComponent*, const TCommError& error, TMemoryStream&) {
        Errors.push_back(error);
        Order.push_back("error");
    };
    component.OnActivate = [this](TLBProtocolComponent*) { Order.push_back("activate"); };
    component.OnDeactivate = [this](TLBProtocolComponent*) { Order.push_back("deactivate"); };
}

void ConfigureLD100(TLD100Protocol& component, TLBComm& port, int timeoutMs) {
    component.SetProtocolFoot(TSequenceChar::scCR);
    component.SetTimeoutTime(timeoutMs);
    component.SetLBComm(&port);
}

TFakeLine::TFakeLine(int timeoutMs) {
    Port.Open();
    ConfigureLD100(Component, Port, timeoutMs);
    Log.Attach(Component);
}

bool TFakeLine::Exchange(const std::string& text, int waitMs) {
    size_t before = Log.Events();
    Component.SetASCIIProtocol(text);
    Component.Send();
    return kq9test::WaitUntil([&] { return Log.Events() > before; }, waitMs);
}
