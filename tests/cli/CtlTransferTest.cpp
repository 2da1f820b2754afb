// How kq9ctl words the end of a bulk transfer and shows its progress.

#include "cli/CtlTransfer.h"
#include "cli/CtlProgress.h"
#include "comm/LBComm.h"
#include "params/SchrijfParSollSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>
#include <utility>

namespace {

void Reply(TLD100Protocol& component, const std::string& text) {
    TMemoryStream stream;
    std::string bytes = text + "\r\n";
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    stream.SetPosition(0);
    component.OnCommResult(&component, stream);
}

void Fail(TLD100Protocol& component, const TCommError& error) {
    TMemoryStream none;
    component.OnCommError(&component, error, none);
}

// A write driven by hand, and how kq9ctl words where it stopped.
struct TWrite {
    TLBComm Port;
    TSchrijfParSollSequence Seq{&Port};

    explicit TWrite(int mode) {
        Seq.Mode = mode;
        Seq.Start();
    }
    // Echoes the value writes until the request `text` is the next one.
    void EchoUntil(const std::string& text) {
        while (Seq.LD100SchrijfParSoll.ASCIIProtocol() != text)
            Reply(Seq.LD100SchrijfParSoll, Seq.LD100SchrijfParSoll.ASCIIProtocol());
    }
    void EchoAll() {
        EchoUntil("wp 399 0");
        Reply(Seq.LD100SchrijfParSoll, "wp 399 0");
    }
    std::pair<int, std::string> Report() const {
        std::ostringstream err;
        int code = TransferExitCode(Seq, err);
        return {code, err.str()};
    }
};

} // namespace

TEST(CtlTransfer, EndsBecomeExitCodesAndMessages) {
    TWrite rejected(0);
    rejected.EchoAll();
    Reply(rejected.Seq.LD100BerekenParameters, "bp 57");
    auto [code, err] = rejected.Report();
    EXPECT_EQ(code, 5);
    EXPECT_NE(err.find("rejected parameter 57"), std::string::npos) << err;

    TWrite lost(0);
    Fail(lost.Seq.LD100SchrijfParSoll, {CommCode::SystemCall, 995, 0});
    std::tie(code, err) = lost.Report();
    EXPECT_EQ(code, 4);
    EXPECT_NE(err.find("at \"wp 0 0\""), std::string::npos) << err;

    // A take-over answered with something else, shown whole: every value written, none taken
    // over.
    TWrite other(0);
    other.EchoAll();
    Reply(other.Seq.LD100BerekenParameters, "er 3");
    EXPECT_EQ(other.Report(),
              std::make_pair(5, std::string("kq9ctl: unexpected reply \"er 3\\r\\n\" to \"bp\"; "
                                            "the values were written but not taken over\n")));
}

TEST(CtlTransfer, AWriteThatStopsPartWaySaysWhatTheControllerNowHolds) {
    // The whole of an unexpected reply, escaped, and how far the write got.
    TWrite unexpected(0);
    Reply(unexpected.Seq.LD100SchrijfParSoll, "wp 0 0");
    Reply(unexpected.Seq.LD100SchrijfParSoll, "bp 1 0 \x01more");
    Reply(unexpected.Seq.LD100SchrijfParSoll, "bp 1 0 \x01more");
    EXPECT_EQ(unexpected.Report(),
              std::make_pair(5, std::string("kq9ctl: unexpected reply \"bp 1 0 \\x01more\\r\\n\" "
                                            "to \"wp 1 0\"\n"
                                            "kq9ctl: written P000 before the unexpected reply; "
                                            "not taken over, so the controller now holds a "
                                            "partly written set\n")));

    TWrite restore(3);
    restore.EchoUntil("ws 3 0");
    Reply(restore.Seq.LD100SchrijfParSoll, "er 7");
    auto [code, err] = restore.Report();
    EXPECT_EQ(code, 5);
    EXPECT_NE(err.find("kq9ctl: written P000 \u2026 P399 and S001 \u2026 S002 before the refusal; "
                       "not taken over, so the controller now holds a partly written set\n"),
              std::string::npos)
        << err;

    // Setpoints have no take-over to miss.
    TWrite setpoints(1);
    Reply(setpoints.Seq.LD100SchrijfParSoll, "ws 1 0");
    Fail(setpoints.Seq.LD100SchrijfParSoll, {CommCode::Timeout, 0, 0});
    std::tie(code, err) = setpoints.Report();
    EXPECT_EQ(code, 3);
    EXPECT_NE(err.find("written S001 before the time-out, so the controller now holds a partly "
                       "written set of setpoints"),
              std::string::npos)
        << err;

    TWrite nothing(0);
    Fail(nothing.Seq.LD100SchrijfParSoll, {CommCode::Timeout, 0, 0});
    EXPECT_NE(nothing.Report().second.find("nothing was written before the time-out; the "
                                           "controller's values are unchanged"),
              std::string::npos);

    // Only the take-over failed: every value is there, just not taken over.
    TWrite takeOver(0);
    takeOver.EchoAll();
    Fail(takeOver.Seq.LD100BerekenParameters, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(takeOver.Report(),
              std::make_pair(3, std::string("kq9ctl: no reply to \"bp\" (time-out)\n"
                                            "kq9ctl: written P000 \u2026 P399 before the "
                                            "time-out; not taken over\n")));
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
