#pragma once
// The serial port of kq9ctl: a TLBComm set up from the options, one LD100 component configured
// as the terminal's (foot CR), and exchanges one at a time. The main thread is the port's UI
// thread: it runs the worker's hand-overs while it waits for an outcome. Failures are reported
// on stderr and returned as exit codes.

#include "cli/CtlOptions.h"
#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"
#include "comm/PlainHandover.h"

#include <functional>
#include <iostream>
#include <string>

class TCtlPort {
public:
    explicit TCtlPort(const TCtlOptions& options);
    ~TCtlPort();
    TCtlPort(const TCtlPort&) = delete;
    TCtlPort& operator=(const TCtlPort&) = delete;

    // CtlExit::Success, or PortNotOpened with the system's reason on stderr.
    int Open();
    // Selects the unit of --unit, if one was given: the unit must echo "sc n".
    int SelectUnit();
    // A failure is reported on `err`.
    int SelectUnit(int unit, std::ostream& err = std::cerr);
    // The unit to work with: --unit, else unit_no of the settings file, else 0.
    int Unit() const { return FOptions.Unit >= 0 ? FOptions.Unit : FSettingsUnit; }
    // Success, or Usage (naming the file and key on stderr) when the unit comes from a settings
    // file that holds no unit number 0 … 31.
    int CheckUnit() const;
    // Sends `text` and waits for its outcome: Success with every byte of the reply, Timeout when
    // none came, CommError for any other failure.
    int Exchange(const std::string& text, std::string& reply, std::ostream& err = std::cerr);
    // The same for a text typed by hand, as the terminal sends it: its reply may hold several
    // lines, so it ends by the silence even with --fast.
    int ExchangeTyped(const std::string& text, std::string& reply);

    // The port, for commands that bind protocol components of their own to it.
    TLBComm& Port() { return FPort; }
    // Runs the worker's hand-overs until `done` holds.
    void WaitFor(const std::function<bool()>& done);

private:
    const TCtlOptions& FOptions;
    TPlainHandover FHandover;
    TLBComm FPort;
    TLD100Protocol FProtocol;
    int FSettingsUnit = 0;
};

// A communication error in words: its code, the system's reason and the line errors.
std::string DescribeCommError(const TCommError& error);
// The reply without its two line-end bytes.
std::string WithoutLineEnd(const std::string& reply);
