// How kq9ctl words the end of a bulk transfer and shows its progress.

#include "cli/CtlTransfer.h"
#include "cli/CtlProgress.h"
#include "comm/LBComm.h"
#include "params/SchrijfParSollSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

void Reply(TLD100Protocol& component, const std::string& text) {
    TMemoryStream stream;
    std::string bytes = text + "\r\n";
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    stream.SetPosition(0);
    component.OnCommResult(&component, stream);
}

} // namespace

TEST(CtlTransfer, EndsBecomeExitCodesAndMessages) {
    TLBComm port;
    TSchrijfParSollSequence write(&port);
    write.Mode = 0;
    write.Start();
    while (write.LD100BerekenParameters.ASCIIProtocol().empty())
        Reply(write.LD100SchrijfParSoll, write.LD100SchrijfParSoll.ASCIIProtocol());
    Reply(write.LD100BerekenParameters, "bp 57");
    std::ostringstream err;
    EXPECT_EQ(TransferExitCode(write, err), 5);
    EXPECT_NE(err.str().find("rejected parameter 57"), std::string::npos) << err.str();

    write.Start();
    TMemoryStream none;
    write.LD100SchrijfParSoll.OnCommError(&write.LD100SchrijfParSoll,
                                          {CommCode::SystemCall, 995, 0}, none);
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 4);
    EXPECT_NE(err.str().find("at \"wp 0 0\""), std::string::npos) << err.str();

    // The whole of an unexpected reply, and how far the write got.
    write.Start();
    Reply(write.LD100SchrijfParSoll, "wp 0 0");
    Reply(write.LD100SchrijfParSoll, "bp 1 0 \x01more");
    Reply(write.LD100SchrijfParSoll, "bp 1 0 \x01more");
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 5);
    EXPECT_EQ(err.str(), "kq9ctl: unexpected reply \"bp 1 0 \\x01more\\r\\n\" to \"wp 1 0\"\n"
                         "kq9ctl: written P000 before the unexpected reply; not taken over, so "
                         "the controller now holds a partly written set\n");

    // A restore refused at setpoint 3.
    write.Mode = 3;
    write.Start();
    while (write.Index() < 3 || write.ParFase())
        Reply(write.LD100SchrijfParSoll, write.LD100SchrijfParSoll.ASCIIProtocol());
    Reply(write.LD100SchrijfParSoll, "er 7");
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 5);
    EXPECT_NE(err.str().find("kq9ctl: written P000 \u2026 P399 and S001 \u2026 S002 before the "
                             "refusal; not taken over"),
              std::string::npos)
        << err.str();

    // Setpoints only: no take-over to miss; nothing written at all.
    write.Mode = 1;
    write.Start();
    Reply(write.LD100SchrijfParSoll, "ws 1 0");
    write.LD100SchrijfParSoll.OnCommError(&write.LD100SchrijfParSoll, {CommCode::Timeout, 0, 0},
                                          none);
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 3);
    EXPECT_NE(err.str().find("written S001 before the time-out, so the controller now holds a "
                             "partly written set of setpoints"),
              std::string::npos)
        << err.str();
    write.Mode = 0;
    write.Start();
    write.LD100SchrijfParSoll.OnCommError(&write.LD100SchrijfParSoll, {CommCode::Timeout, 0, 0},
                                          none);
    err.str("");
    TransferExitCode(write, err);
    EXPECT_NE(err.str().find("nothing was written before the time-out"), std::string::npos)
        << err.str();

    // The take-over itself unanswered: every value written, none taken over.
    write.Start();
    while (write.LD100SchrijfParSoll.ASCIIProtocol() != "wp 399 0")
        Reply(write.LD100SchrijfParSoll, write.LD100SchrijfParSoll.ASCIIProtocol());
    Reply(write.LD100SchrijfParSoll, "wp 399 0");
    write.LD100BerekenParameters.OnCommError(&write.LD100BerekenParameters,
                                             {CommCode::Timeout, 0, 0}, none);
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 3);
    EXPECT_EQ(err.str(), "kq9ctl: no reply to \"bp\" (time-out)\n"
                         "kq9ctl: written P000 \u2026 P399 before the time-out; not taken over\n");

    // A take-over answered with something else: every value written, none taken over.
    write.Start();
    while (write.LD100SchrijfParSoll.ASCIIProtocol() != "wp 399 0")
        Reply(write.LD100SchrijfParSoll, write.LD100SchrijfParSoll.ASCIIProtocol());
    Reply(write.LD100SchrijfParSoll, "wp 399 0");
    Reply(write.LD100BerekenParameters, "er 3");
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 5);
    EXPECT_EQ(err.str(), "kq9ctl: unexpected reply \"er 3\\r\\n\" to \"bp\"; the values were "
                         "written but not taken over\n");
}

TEST(CtlProgress, BarOnATerminalTenthsOtherwise) {
    std::ostringstream bar;
    TCtlProgress terminal(bar, true, "reading", 448);
    terminal.Update(0);
    terminal.Update(224);
    terminal.Update(224);
    terminal.Update(448);
    terminal.Finish();
    EXPECT_EQ(bar.str(), "\rreading [..............................] 0/448 0%"
                         "\rreading [###############...............] 224/448 50%"
                         "\rreading [##############################] 448/448 100%\n");

    std::ostringstream lines;
    TCtlProgress plain(lines, false, "writing", 48);
    for (int done = 0; done <= 48; ++done)
        plain.Update(done);
    plain.Finish();
    std::string text = lines.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_NE(text.find("writing: 24/48 (50%)\n"), std::string::npos) << text;
}
