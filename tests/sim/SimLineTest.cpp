// The line model without a transport: the answers to the commands, selection, refusals,
// parameter definitions, calibration, live values and the fault knobs.

#include "sim/SimLine.h"
#include "sim/SimCommandReader.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

const TDcb AnySettings{};

std::string Ask(TSimLine& line, const std::string& command) {
    return line.Respond(command, AnySettings, true).Bytes;
}

std::string FixturePath() {
    return std::string(KQ9_SIM_FIXTURES) + "/Parameters.txt";
}

bool Matches(const std::string& text, const char* pattern) {
    return std::regex_match(text, std::regex(pattern));
}

} // namespace

TEST(SimLine, AnswersEveryCommandOfTheTableInItsForm) {
    TSimLine line;
    line.AddUnit(3);
    line.SetClock([] { return int64_t{12345}; });
    EXPECT_EQ(Ask(line, "sc 3"), "sc 3\r\n");
    EXPECT_EQ(Ask(line, "rt"), "rt KX71-2412\r\n");
    EXPECT_TRUE(Matches(Ask(line, "rh"), "rh .+\r\n"));
    EXPECT_TRUE(Matches(Ask(line, "rx"), "rx .+\r\n"));
    EXPECT_EQ(Ask(line, "rf"), "rf -1\r\n");
    for (const char* live : {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r8", "ri", "ru"})
        EXPECT_TRUE(Matches(Ask(line, live), std::string(live).append(" -?[0-9]+\r\n").c_str()))
            << live;
    EXPECT_EQ(Ask(line, "rd 4"), "rd 4 12345\r\n");
    EXPECT_EQ(Ask(line, "rp 399"), "rp 399 0\r\n");
    EXPECT_EQ(Ask(line, "rs 48"), "rs 48 0\r\n");
    EXPECT_EQ(Ask(line, "wp 5 -120"), "wp 5 -120\r\n");
    EXPECT_EQ(Ask(line, "ws 1 250000"), "ws 1 250000\r\n");
    EXPECT_EQ(Ask(line, "bp"), "bp -1\r\n");
    EXPECT_EQ(Ask(line, "wf"), "wf -1\r\n");
    EXPECT_EQ(Ask(line, "kr 2028"), "kr 2028 -32112\r\n");
    EXPECT_EQ(Ask(line, "km 1"), "km 1\r\n");
    EXPECT_EQ(Ask(line, "kf 2"), "kf 2\r\n");
    EXPECT_EQ(Ask(line, "ka -100000"), "ka -100000\r\n");
    EXPECT_EQ(Ask(line, "kw 2041 15"), "kw 2041 15\r\n");
    EXPECT_EQ(Ask(line, "ks"), "ks\r\n");
    EXPECT_EQ(Ask(line, "km 0"), "km 0\r\n");
    // Blanks and control characters around the text do not matter; an empty line is no command.
    EXPECT_EQ(Ask(line, "  rt \t"), "rt KX71-2412\r\n");
    EXPECT_EQ(Ask(line, ""), "");
}

TEST(SimLine, SelectionFollowsScAndAMissingUnitSilencesTheLine) {
    TSimLine line;
    for (int unit : {31, 5, 7})
        line.AddUnit(unit);
    line.Configure(7, [](TSimUnit& u) { u.TypeText = "QZ12-0001"; });
    EXPECT_EQ(line.Selected(), 5); // the lowest number at the start
    EXPECT_TRUE(Matches(Ask(line, "rh"), "rh .*4205\r\n"));
    EXPECT_EQ(Ask(line, "sc 7"), "sc 7\r\n");
    EXPECT_EQ(Ask(line, "rt"), "rt QZ12-0001\r\n");
    EXPECT_EQ(Ask(line, "sc 6"), "");
    EXPECT_EQ(line.Selected(), -1);
    EXPECT_EQ(Ask(line, "rt"), "");
    EXPECT_EQ(Ask(line, "sc 32"), "");
    EXPECT_EQ(Ask(line, "sc 31"), "sc 31\r\n");
    // A malformed selection changes nothing and the selected unit refuses it.
    EXPECT_EQ(Ask(line, "sc x"), "er 2\r\n");
    EXPECT_EQ(line.Selected(), 31);
    EXPECT_FALSE(line.AddUnit(32));
    EXPECT_FALSE(line.AddUnit(31));
    // A unit added after a selection was made does not take it over.
    line.AddUnit(0);
    EXPECT_EQ(line.Selected(), 31);
}

TEST(SimLine, RefusalsCarryTheirNumbers) {
    TSimLine line;
    line.AddUnit(0);
    EXPECT_EQ(Ask(line, "zz"), "er 1\r\n");
    EXPECT_EQ(Ask(line, "r7"), "er 1\r\n");
    EXPECT_EQ(Ask(line, "RT"), "er 1\r\n");
    EXPECT_EQ(Ask(line, "rtx"), "er 1\r\n");
    EXPECT_EQ(Ask(line, "rp"), "er 2\r\n");
    EXPECT_EQ(Ask(line, "rp 1 2"), "er 2\r\n");
    EXPECT_EQ(Ask(line, "rp x"), "er 2\r\n");
    EXPECT_EQ(Ask(line, "wp 1 1.5"), "er 2\r\n");
    EXPECT_EQ(Ask(line, "rt 1"), "er 2\r\n");
    EXPECT_EQ(Ask(line, "rp 400"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "rp -1"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "rs 0"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "ws 49 1"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "rd 5"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "kr 2032"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "kr 99999999999"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "km 2"), "er 3\r\n");
    EXPECT_EQ(Ask(line, "kf 1"), "er 5\r\n"); // calibration mode is off
    EXPECT_EQ(Ask(line, "kw 2041 1"), "er 7\r\n");
    EXPECT_EQ(Ask(line, "ks 1"), "er 2\r\n");
    Ask(line, "km 1");
    EXPECT_EQ(Ask(line, "ka 5"), "er 5\r\n");      // no output selected
    EXPECT_EQ(Ask(line, "kw 2028 1"), "er 3\r\n"); // teach values are read only
    EXPECT_EQ(Ask(line, "wp 1 2147483648"), "er 7\r\n");
    EXPECT_EQ(Ask(line, "ws 1 -2147483649"), "er 7\r\n");
    EXPECT_EQ(Ask(line, "wp 1 -2147483648"), "wp 1 -2147483648\r\n");
}

TEST(SimLine, ParametersTakeDefaultsAndLimitsFromTheDefinitionFile) {
    TSimLine line;
    line.AddUnit(0);
    line.AddUnit(9);
    EXPECT_FALSE(line.LoadParameterFile(FixturePath() + ".missing"));
    ASSERT_TRUE(line.LoadParameterFile(FixturePath()));
    EXPECT_EQ(Ask(line, "rp 0"), "rp 0 2\r\n");
    EXPECT_EQ(Ask(line, "rp 12"), "rp 12 -350\r\n");
    EXPECT_EQ(Ask(line, "rp 101"), "rp 101 7\r\n");
    EXPECT_EQ(Ask(line, "rp 13"), "rp 13 0\r\n"); // not described: 0 and unlimited
    EXPECT_EQ(Ask(line, "wp 13 -2000000000"), "wp 13 -2000000000\r\n");
    EXPECT_EQ(Ask(line, "wp 0 5"), "wp 0 5\r\n");
    EXPECT_EQ(Ask(line, "wp 0 6"), "er 7\r\n");
    EXPECT_EQ(Ask(line, "wp 0 -1"), "er 7\r\n");
    EXPECT_EQ(Ask(line, "rp 0"), "rp 0 5\r\n"); // a refused value leaves the old one
    EXPECT_EQ(Ask(line, "wp 12 -1000"), "wp 12 -1000\r\n");
    EXPECT_EQ(Ask(line, "wp 100 9"), "er 7\r\n"); // only a lower limit
    EXPECT_EQ(Ask(line, "wp 100 2000000000"), "wp 100 2000000000\r\n");
    EXPECT_EQ(Ask(line, "wp 150 1000"), "wp 150 1000\r\n"); // inverted limits: none
    EXPECT_EQ(Ask(line, "wp 250 15"), "er 7\r\n");          // hexadecimal limits 16 … 32
    EXPECT_EQ(Ask(line, "wp 250 32"), "wp 250 32\r\n");
    EXPECT_EQ(Ask(line, "wp 250 33"), "er 7\r\n");
    // Every unit got the defaults; setpoints have no definitions.
    EXPECT_EQ(line.Unit(9)->Parameters[12], -350);
    EXPECT_EQ(Ask(line, "ws 48 -99999999"), "ws 48 -99999999\r\n");
}

TEST(SimLine, WritesAreReadBackAndTheTakeOverNamesARejectedParameter) {
    TSimLine line;
    line.AddUnit(0);
    Ask(line, "wp 17 4242");
    Ask(line, "ws 3 -7");
    EXPECT_EQ(Ask(line, "rp 17"), "rp 17 4242\r\n");
    EXPECT_EQ(Ask(line, "rs 3"), "rs 3 -7\r\n");
    line.Configure(0, [](TSimUnit& u) {
        u.RejectedParameter = 57;
        u.ErrorNumber = 1;
        u.Thumbwheels[1] = -40;
    });
    EXPECT_EQ(Ask(line, "bp"), "bp 57\r\n");
    EXPECT_EQ(Ask(line, "rd 2"), "rd 2 -40\r\n");
    EXPECT_EQ(Ask(line, "rf"), "rf 1\r\n");
    EXPECT_EQ(Ask(line, "wf"), "wf -1\r\n"); // the encoder error is reset
    EXPECT_EQ(Ask(line, "rf"), "rf -1\r\n");
    line.Configure(0, [](TSimUnit& u) { u.ErrorNumber = 5; });
    EXPECT_EQ(Ask(line, "wf"), "wf 5\r\n"); // other errors stay
}

TEST(SimLine, CalibrationFollowsTheModeAndKsStoresTheValues) {
    TSimLine line;
    line.AddUnit(0);
    line.SetClock([] { return int64_t{0}; });
    Ask(line, "km 1");
    Ask(line, "kw 2044 -1500");
    EXPECT_EQ(Ask(line, "kr 2044"), "kr 2044 -1500\r\n");
    EXPECT_EQ(line.Unit(0)->StoredCalibration.at(2044), -11);
    Ask(line, "ks");
    EXPECT_EQ(line.Unit(0)->StoredCalibration.at(2044), -1500);
    // The driven teach point shows on the analog output while it is under calibration.
    Ask(line, "kf 1");
    Ask(line, "ka 100000");
    EXPECT_EQ(Ask(line, "r2"), "r2 100000\r\n");
    Ask(line, "kf 2");
    Ask(line, "ka -100000");
    EXPECT_EQ(Ask(line, "r3"), "r3 -200000\r\n");
    Ask(line, "km 0");
    EXPECT_EQ(line.Unit(0)->CalibratedOutput, 0);
    EXPECT_EQ(Ask(line, "r3"), "r3 40000\r\n"); // back to the live value: 4 mA at position 0
    // Values written outside calibration mode are refused; storing still works.
    EXPECT_EQ(Ask(line, "kw 2044 7"), "er 7\r\n");
    Ask(line, "km 1");
    Ask(line, "kw 2044 7");
    Ask(line, "km 0");
    EXPECT_EQ(Ask(line, "ks"), "ks\r\n");
    EXPECT_EQ(line.Unit(0)->StoredCalibration.at(2044), 7);
}

TEST(SimLine, AnalogInputsFollowTheInputModeAndTheirCalibration) {
    TSimLine line;
    line.AddUnit(0);
    line.SetClock([] { return int64_t{0}; }); // the input signals at their middle: 5 V, 12 mA
    EXPECT_EQ(Ask(line, "r4"), "r4 50000\r\n");
    EXPECT_EQ(Ask(line, "r5"), "r5 0\r\n");
    Ask(line, "wp 226 1");
    EXPECT_EQ(Ask(line, "r4"), "r4 0\r\n");
    EXPECT_EQ(Ask(line, "r5"), "r5 120000\r\n");
    // Ten offset steps of 311 uV, behind the 500 ohm shunt; a gain step is 1/100000.
    Ask(line, "km 1");
    Ask(line, "kw 2038 31"); // factory value 21
    EXPECT_EQ(Ask(line, "r5"), "r5 120062\r\n");
    Ask(line, "kw 2039 993"); // factory value -7: 1000 steps up
    EXPECT_EQ(Ask(line, "r5"), "r5 121262\r\n");
    Ask(line, "wp 226 0");
    Ask(line, "kw 2035 -2"); // factory value -12
    EXPECT_EQ(Ask(line, "r4"), "r4 50031\r\n");
    Ask(line, "kw 2035 2147483647");
    EXPECT_EQ(Ask(line, "r4"), "r4 2147483647\r\n"); // the converter saturates
    Ask(line, "wp 226 2");
    EXPECT_EQ(Ask(line, "r4"), "r4 0\r\n");
    EXPECT_EQ(Ask(line, "r5"), "r5 0\r\n");
}

TEST(SimLine, LiveValuesMoveWithTheClock) {
    TSimLine line;
    line.AddUnit(0);
    int64_t now = 0;
    line.SetClock([&now] { return now; });
    auto value = [&](const char* command) {
        std::string reply = Ask(line, command);
        return std::stoll(reply.substr(3));
    };
    Ask(line, "wp 203 2"); // positions in hundredths
    EXPECT_EQ(value("r0"), 0);
    EXPECT_EQ(value("r1"), 10000);
    now = 2500;
    EXPECT_EQ(value("r0"), 25000);
    now = 7500; // on the way back
    EXPECT_EQ(value("r0"), 25000);
    EXPECT_EQ(value("r1"), -10000);
    // Inputs and outputs change, one bit at a time; the analog input stays in its range.
    std::set<long long> inputs, outputs;
    for (now = 0; now < 30000; now += 500) {
        inputs.insert(value("ri"));
        outputs.insert(value("ru"));
        long long volts = value("r4");
        EXPECT_GE(volts, 10000);
        EXPECT_LE(volts, 90000);
    }
    EXPECT_GT(inputs.size(), 4u);
    EXPECT_GT(outputs.size(), 4u);
    EXPECT_LE(*inputs.rbegin(), 31);
    EXPECT_LE(*outputs.rbegin(), 15);
}

TEST(SimLine, FaultKnobsShapeTheReply) {
    TSimLine line;
    line.AddUnit(0);
    line.Configure(0, [](TSimUnit& u) { u.Faults.NoEcho = true; });
    EXPECT_EQ(Ask(line, "rp 4"), "4 0\r\n");
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.CutAfter = 5;
    });
    EXPECT_EQ(Ask(line, "rt"), "rt KX");
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.LongReply = true;
    });
    std::string longReply = Ask(line, "rt");
    EXPECT_GT(longReply.size(), 100u);
    EXPECT_EQ(longReply.substr(0, 12), "rt KX71-2412");
    EXPECT_EQ(longReply.substr(longReply.size() - 2), "\r\n");
    // Noise instead of the answer: nothing a reader could take for a number or a line end, and
    // different each time; the command itself was carried out.
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.Garbage = 24;
    });
    std::string noise = Ask(line, "wp 2 7");
    EXPECT_EQ(noise.size(), 24u);
    EXPECT_EQ(noise.find_first_of("0123456789\r\n"), std::string::npos);
    EXPECT_NE(Ask(line, "rt"), noise);
    EXPECT_EQ(line.Unit(0)->Parameters[2], 7);
    // A refusal or silence leaves the command undone.
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.RefuseWith = 9;
    });
    EXPECT_EQ(Ask(line, "wp 1 1"), "er 9\r\n");
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.Silent = true;
    });
    EXPECT_EQ(Ask(line, "wp 1 1"), "");
    line.Configure(0, [](TSimUnit& u) { u.Faults = {}; });
    EXPECT_EQ(Ask(line, "rp 1"), "rp 1 0\r\n");
    // Limited to a command, and to a number of times.
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.AppliesTo = "rp 17";
        u.Faults.Times = 1;
        u.Faults.NoEcho = true;
    });
    EXPECT_EQ(Ask(line, "rp 16"), "rp 16 0\r\n");
    EXPECT_EQ(Ask(line, " rp  17"), "17 0\r\n");
    EXPECT_EQ(Ask(line, "rp 17"), "rp 17 0\r\n");
    // The timing knobs travel with the reply for the transport to carry out.
    line.Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.FirstByteDelayMs = 30;
        u.Faults.ChunkSize = 2;
        u.Faults.ChunkGapMs = 20;
        u.Faults.DropLineAfterMs = 5;
        u.Faults.Endless = true;
    });
    TSimReply reply = line.Respond("rf", AnySettings, true);
    EXPECT_EQ(reply.Bytes, "rf -1\r\n");
    EXPECT_EQ(reply.FirstByteDelayMs, 3 + 30); // the unit's turn-around comes first
    EXPECT_EQ(reply.ChunkSize, 2);
    EXPECT_EQ(reply.ChunkGapMs, 20);
    EXPECT_EQ(reply.DropLineAfterMs, 5);
    EXPECT_TRUE(reply.Endless);
}

TEST(SimLine, LineSettingsDecideWhetherAUnitHears) {
    TSimLineSettings settings;
    EXPECT_TRUE(ParseSimLineSettings("38400,E,7,2", settings));
    EXPECT_FALSE(settings.Any);
    EXPECT_EQ(settings.Dcb.BaudRate, 38400u);
    EXPECT_EQ(settings.Dcb.Parity, EVENPARITY);
    EXPECT_EQ(settings.Dcb.ByteSize, 7);
    EXPECT_EQ(settings.Dcb.StopBits, TWOSTOPBITS);
    EXPECT_TRUE(ParseSimLineSettings("any", settings));
    EXPECT_TRUE(settings.Any);
    for (const char* bad : {"", "38400", "38400,X,8,1", "38400,E,9,1", "38400,E,8,3", "0,N,8,1",
                            "38400,E,8,1,1", "fast,E,8,1"})
        EXPECT_FALSE(ParseSimLineSettings(bad, settings)) << bad;

    TSimLine line;
    line.AddUnit(0);
    line.Configure(0, [](TSimUnit& u) { ParseSimLineSettings("19200,O,8,1", u.Line); });
    TDcb right{19200, 8, ODDPARITY, ONESTOPBIT};
    EXPECT_EQ(line.Respond("rf", right, true).Bytes, "rf -1\r\n");
    EXPECT_EQ(line.Respond("rf", TDcb{9600, 8, ODDPARITY, ONESTOPBIT}, true).Bytes, "");
    EXPECT_EQ(line.Respond("rf", TDcb{19200, 8, ODDPARITY, TWOSTOPBITS}, true).Bytes, "");
    // Wrong parity or data bits: garbage with line errors, where the transport can tell.
    TSimReply parity = line.Respond("rf", TDcb{19200, 8, EVENPARITY, ONESTOPBIT}, true);
    EXPECT_EQ(parity.Bytes.size(), 7u);
    EXPECT_NE(parity.Bytes, "rf -1\r\n");
    EXPECT_EQ(parity.LineErrors, CE_RXPARITY);
    TSimReply noParity = line.Respond("rf", TDcb{19200, 8, NOPARITY, ONESTOPBIT}, true);
    EXPECT_EQ(noParity.LineErrors, CE_FRAME);
    TSimReply dataBits = line.Respond("rf", TDcb{19200, 7, ODDPARITY, ONESTOPBIT}, true);
    EXPECT_EQ(dataBits.LineErrors, CE_FRAME);
    for (char c : dataBits.Bytes)
        EXPECT_EQ(static_cast<uint8_t>(c) & 0x80, 0); // seven data bits
    TSimReply pty = line.Respond("rf", TDcb{19200, 8, NOPARITY, ONESTOPBIT}, false);
    EXPECT_EQ(pty.Bytes, "rf -1\r\n");
    EXPECT_EQ(pty.LineErrors, 0u);
}

TEST(SimCommandReader, CommandsEndAtCarriageReturnAndLineFeedsAreIgnored) {
    TSimCommandReader reader;
    auto feed = [&](const std::string& bytes) {
        return reader.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    };
    EXPECT_TRUE(feed("r").empty());
    EXPECT_EQ(feed("t\r\nrp 1\r\r"), (std::vector<std::string>{"rt", "rp 1", ""}));
    std::string overlong(300, 'a');
    auto commands = feed(overlong + "\r");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].size(), 256u);
}
