#include "cli/CtlTransfer.h"

#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "cli/CtlProgress.h"
#include "params/BackupFile.h"
#include "params/LeesParSollSequence.h"

#include <iostream>
#include <unistd.h>

namespace {

// A reply's bytes for a message: line ends and other control characters written out.
std::string Printable(const QString& text) {
    std::string out;
    for (QChar c : text) {
        if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else if (c.unicode() < 0x20)
            out += "\\x" + QString::number(c.unicode(), 16).rightJustified(2, u'0').toStdString();
        else
            out += QString(c).toStdString();
    }
    return out;
}

} // namespace

int OpenAndSelect(TCtlPort& port) {
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    return port.SelectUnit(port.Unit());
}

int RunTransfer(TCtlPort& port, TTransferSequence& sequence, int mode, const std::string& label) {
    sequence.Mode = mode;
    TCtlProgress progress(std::cerr, isatty(STDERR_FILENO) == 1, label, sequence.ValueCount());
    sequence.OnProgress = [&](int) { progress.Update(sequence.Transferred()); };
    sequence.Start();
    port.WaitFor([&] { return sequence.Stopped(); });
    sequence.OnProgress = nullptr;
    progress.Finish();
    return TransferExitCode(sequence, std::cerr);
}

int TransferExitCode(const TTransferSequence& sequence, std::ostream& err) {
    const std::string request = '"' + sequence.LastRequest() + '"';
    switch (sequence.End()) {
    case TTransferEnd::Finished:
        return CtlExit::Success;
    case TTransferEnd::TakeOverRejected:
        err << "kq9ctl: the controller rejected parameter "
            << sequence.RejectedParameter().toStdString()
            << "; the values were written but not taken over\n";
        return CtlExit::Unexpected;
    case TTransferEnd::Timeout:
        err << "kq9ctl: no reply to " << request << " (time-out)\n";
        return CtlExit::Timeout;
    case TTransferEnd::CommError:
        err << "kq9ctl: " << DescribeCommError(sequence.LastError()) << " at " << request << '\n';
        return CtlExit::CommError;
    case TTransferEnd::UnexpectedReply:
        err << "kq9ctl: unexpected reply \"" << Printable(sequence.FailedReply()) << "\" to "
            << request << '\n';
        return CtlExit::Unexpected;
    case TTransferEnd::Refused:
        err << "kq9ctl: the controller refused " << request << " (er 7)\n";
        return CtlExit::Unexpected;
    case TTransferEnd::Running:
    case TTransferEnd::Cancelled:
        break;
    }
    err << "kq9ctl: the transfer stopped at " << request << '\n';
    return CtlExit::CommError;
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
