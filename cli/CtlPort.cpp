#include "cli/CtlPort.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "cli/CtlCommLog.h"
#include "cli/CtlExit.h"
#include "cli/CtlLocations.h"
#include "comm/ComNames.h"
#include "comm/CommExceptions.h"
#include "comm/CommTexts.h"

#include <cstdio>
#include <iostream>

namespace {

std::string Hex(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<uint32_t>(value));
    return text;
}

} // namespace

std::string DescribeCommError(const TCommError& error) {
    std::string text = "communication error " + Hex(error.Code);
    if (error.Code == CommCode::ReplyTooLong)
        text += ": the reply went on past " + std::to_string(LD100ReplyLimit) +
                " bytes without a pause";
    if (error.SystemError != 0) {
        std::string reason = SysErrorMessage(error.SystemError);
        text +=
            ": " + (reason.empty() ? "system error " + std::to_string(error.SystemError) : reason);
    }
    if (error.LineErrors != 0)
        text += " (line errors " + Hex(error.LineErrors) + ")";
    return text;
}

std::string WithoutLineEnd(const std::string& reply) {
    return reply.size() < 2 ? std::string() : reply.substr(0, reply.size() - 2);
}

TCtlPort::TCtlPort(const TCtlOptions& options) : FOptions(options) {
    SetUiHandover(&FHandover);
    // The settings file first (line settings, unit, device paths, language), then the options.
    SetCtlFileLocations(options);
    ApplyStoredPortSettings(FPort);
    Configfile_lezen(FPort, FSettingsUnit, GlobalVar());
    TekstFile_Lezen();
    if (options.Port)
        FPort.SetPortName(*options.Port);
    if (!options.DevicePath.empty()) {
        SetComDevicePath(TPort::COM1, options.DevicePath);
        FPort.SetPortName(TPort::COM1);
    }
    if (options.Baudrate)
        FPort.SetBaudrate(*options.Baudrate);
    if (options.Databits)
        FPort.SetFrameDatabits(*options.Databits);
    if (options.Parity)
        FPort.SetFrameParitybit(*options.Parity);
    if (options.Stopbits)
        FPort.SetFrameStopbits(*options.Stopbits);
    if (options.Fast)
        FPort.SetReplyEndsAtLineEnd(true);
    FPort.SetLog(CtlCommLog());
    FProtocol.SetName("kq9ctl");
    FProtocol.SetProtocolFoot(TSequenceChar::scCR);
    FProtocol.SetTimeoutTime(options.TimeoutMs);
    FProtocol.SetLBComm(&FPort);
}

TCtlPort::~TCtlPort() {
    try {
        FPort.Close();
    } catch (const std::exception& e) {
        std::cerr << "kq9ctl: closing the port: " << e.what() << '\n';
    }
    SetUiHandover(nullptr);
}

int TCtlPort::Open() {
    try {
        FPort.Open();
    } catch (const std::exception& e) {
        std::cerr << "kq9ctl: cannot open " << ComDevicePath(FPort.PortName()) << ": " << e.what()
                  << '\n';
        return CtlExit::PortNotOpened;
    }
    return CtlExit::Success;
}

int TCtlPort::CheckUnit() const {
    if (Unit() >= 0 && Unit() <= 31)
        return CtlExit::Success;
    std::cerr << "kq9ctl: " << SettingsFilePath(GlobalVar()).toStdString()
              << ": [Serieel] unit_no=" << Unit()
              << " is no unit number (0 \u2026 31); give --unit N\n";
    return CtlExit::Usage;
}

int TCtlPort::SelectUnit() {
    if (FOptions.Unit < 0)
        return CtlExit::Success;
    return SelectUnit(FOptions.Unit);
}

int TCtlPort::SelectUnit(int unit, std::ostream& err) {
    const std::string command = "sc " + std::to_string(unit);
    std::string reply;
    if (int result = Exchange(command, reply, err); result != CtlExit::Success)
        return result;
    if (WithoutLineEnd(reply) != command) {
        err << "kq9ctl: unit " << unit
            << " did not confirm its selection; it answered: " << WithoutLineEnd(reply) << '\n';
        return CtlExit::Unexpected;
    }
    return CtlExit::Success;
}

int TCtlPort::Exchange(const std::string& text, std::string& reply, std::ostream& err) {
    if (!FPort.Active() || FPort.DeviceLost()) {
        err << (FPort.Active() ? "kq9ctl: the device has gone away\n"
                               : "kq9ctl: the port is not open\n");
        return CtlExit::CommError;
    }
    bool done = false;
    TCommError failure;
    FProtocol.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream& result) {
        reply = result.ToString();
        done = true;
    };
    FProtocol.OnCommError = [&](TLBProtocolComponent*, const TCommError& error, TMemoryStream&) {
        failure = error;
        done = true;
    };
    FProtocol.SetASCIIProtocol(text);
    FProtocol.Send();
    WaitFor([&] { return done; });
    FProtocol.OnCommResult = nullptr;
    FProtocol.OnCommError = nullptr;
    if (failure.Code == CommCode::Timeout) {
        err << "kq9ctl: no reply to \"" << FProtocol.ASCIIProtocol() << "\" (time-out)\n";
        return CtlExit::Timeout;
    }
    if (failure.Code != 0) {
        err << "kq9ctl: " << DescribeCommError(failure) << '\n';
        return CtlExit::CommError;
    }
    return CtlExit::Success;
}

int TCtlPort::ExchangeTyped(const std::string& text, std::string& reply) {
    FProtocol.SetLineEndEndsReply(false);
    int result = Exchange(text, reply);
    FProtocol.SetLineEndEndsReply(true);
    return result;
}

void TCtlPort::WaitFor(const std::function<bool()>& done) {
    while (!done())
        FHandover.ProcessMessages(-1);
}
