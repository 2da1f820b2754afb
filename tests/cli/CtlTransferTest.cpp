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

    write.Start();
    Reply(write.LD100SchrijfParSoll, "wp 0 0");
    Reply(write.LD100SchrijfParSoll, "bp");
    Reply(write.LD100SchrijfParSoll, "bp");
    err.str("");
    EXPECT_EQ(TransferExitCode(write, err), 5);
    EXPECT_NE(err.str().find("unexpected reply \"bp\\r\\n\" to \"wp 1 0\""), std::string::npos)
        << err.str();
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
