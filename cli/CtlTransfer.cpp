#include "cli/CtlTransfer.h"

#include "cli/CtlExit.h"
#include "cli/CtlInterrupt.h"
#include "cli/CtlPort.h"
#include "cli/CtlProgress.h"
#include "params/BackupFile.h"
#include "params/LeesParSollSequence.h"
#include "params/SchrijfParSollSequence.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

// A reply's bytes for a message: line ends, other control characters and bytes outside ASCII
// written out, so that the user sees exactly what came back.
std::string Printable(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte == '\r')
            out += "\\r";
        else if (byte == '\n')
            out += "\\n";
        else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else
            out += c;
    }
    return out;
}

std::string Numbered(char letter, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%03d", letter, number);
    return text;
}

// "P000 … P399": the values from `first` to `last`, or the one when they are the same.
std::string Range(char letter, int first, int last) {
    std::string text = Numbered(letter, first);
    if (last > first)
        text += " \u2026 " + Numbered(letter, last);
    return text;
}

const char* Cause(TTransferEnd end) {
    switch (end) {
    case TTransferEnd::Refused:
        return "the refusal";
    case TTransferEnd::Timeout:
        return "the time-out";
    case TTransferEnd::UnexpectedReply:
        return "the unexpected reply";
    case TTransferEnd::Cancelled:
        return "the interruption";
    default:
        return "the communication error";
    }
}

// What a write that stopped part-way left in the controller: the values it acknowledged, and
// that the parameters among them were not taken over.
void ReportPartialWrite(const TTransferSequence& write, std::ostream& err) {
    int written = write.Transferred();
    if (written == 0) {
        err << "kq9ctl: nothing was written before " << Cause(write.End())
            << "; the controller's values are unchanged\n";
        return;
    }
    bool parameters = write.Mode != 1;
    int parametersWritten = parameters ? std::min(written, ParameterCount) : 0;
    int setpointsWritten = written - parametersWritten;
    std::string ranges;
    if (parametersWritten > 0)
        ranges = Range('P', 0, parametersWritten - 1);
    if (setpointsWritten > 0)
        ranges += (ranges.empty() ? "" : " and ") + Range('S', 1, setpointsWritten);
    err << "kq9ctl: written " << ranges << " before " << Cause(write.End());
    if (written == write.ValueCount())
        err << "; not taken over\n"; // the take-over itself failed
    else if (parameters)
        err << "; not taken over, so the controller now holds a partly written set\n";
    else
        err << ", so the controller now holds a partly written set of setpoints\n";
}

// The exit code of the run's end, with its message.
int EndExitCode(const TTransferSequence& sequence, std::ostream& err) {
    const std::string request = '"' + sequence.LastRequest() + '"';
    switch (sequence.End()) {
    case TTransferEnd::Finished:
        return CtlExit::Success;
    case TTransferEnd::TakeOverRejected:
        err << "kq9ctl: the controller rejected parameter "
            << sequence.RejectedParameter().toStdString()
            << "; the values were written but not taken over\n";
        return CtlExit::Unexpected;
    case TTransferEnd::TakeOverUnexpected:
        err << "kq9ctl: unexpected reply \"" << Printable(sequence.FailedReplyBytes()) << "\" to "
            << request << "; the values were written but not taken over\n";
        return CtlExit::Unexpected;
    case TTransferEnd::Timeout:
        err << "kq9ctl: no reply to " << request << " (time-out)\n";
        return CtlExit::Timeout;
    case TTransferEnd::CommError:
        err << "kq9ctl: " << DescribeCommError(sequence.LastError()) << " at " << request << '\n';
        return CtlExit::CommError;
    case TTransferEnd::UnexpectedReply:
        err << "kq9ctl: unexpected reply \"" << Printable(sequence.FailedReplyBytes()) << "\" to "
            << request << '\n';
        return CtlExit::Unexpected;
    case TTransferEnd::Refused:
        err << "kq9ctl: the controller refused " << request << " (er 7)\n";
        return CtlExit::Unexpected;
    case TTransferEnd::Cancelled:
        // The answer to the request that was out at Ctrl-C is not looked at, so its value does
        // not count as transferred, though a write may have reached the controller.
        err << "kq9ctl: interrupted at " << request << ", whose answer was not looked at, after "
            << sequence.Transferred() << " of " << sequence.ValueCount() << " values\n";
        return CtlExit::Interrupted;
    case TTransferEnd::Running:
        break;
    }
    err << "kq9ctl: the transfer stopped at " << request << '\n';
    return CtlExit::CommError;
}

} // namespace

int OpenAndSelect(TCtlPort& port) {
    if (int result = port.CheckUnit(); result != CtlExit::Success)
        return result;
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    return port.SelectUnit(port.Unit());
}

int RunTransfer(TCtlPort& port, TTransferSequence& sequence, int mode, const std::string& label,
                TTransferReport report) {
    sequence.Mode = mode;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    std::ostringstream unreported;
    std::ostream& out = report == TTransferReport::Full || terminal ? std::cerr : unreported;
    TCtlProgress progress(out, terminal, label, sequence.ValueCount());
    sequence.OnProgress = [&](int) { progress.Update(sequence.Transferred()); };
    TCtlInterrupt interrupt;
    sequence.Start();
    // Every reply or time-out wakes the wait, so Ctrl-C is seen within one exchange; the run
    // then stops as its dialog's Cancel stops it, once the request that is out has its answer.
    port.WaitFor([&] { return sequence.Stopped() || TCtlInterrupt::Requested(); });
    if (!sequence.Stopped()) {
        sequence.CmdCancelClick();
        port.WaitFor([&] { return sequence.Stopped(); });
    }
    sequence.OnProgress = nullptr;
    progress.Finish();
    return TransferExitCode(sequence, report == TTransferReport::Full ? std::cerr : unreported);
}

int TransferExitCode(const TTransferSequence& sequence, std::ostream& err) {
    int code = EndExitCode(sequence, err);
    bool stoppedPartWay = code != CtlExit::Success &&
                          sequence.End() != TTransferEnd::TakeOverRejected &&
                          sequence.End() != TTransferEnd::TakeOverUnexpected;
    if (stoppedPartWay && dynamic_cast<const TSchrijfParSollSequence*>(&sequence))
        ReportPartialWrite(sequence, err);
    return code;
}

int ReadWholeController(const TCtlOptions& options, TBackupData& data) {
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    if (int result = RunTransfer(port, read, 3, "reading the controller");
        result != CtlExit::Success)
        return result;
    data = {read.ParBuffer, read.SollBuffer};
    return CtlExit::Success;
}
