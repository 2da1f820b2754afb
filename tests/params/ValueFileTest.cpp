// Parameter and setpoint files: their exact text, round trips, and every way a file is refused
// without a value being taken.

#include "params/ValueFile.h"
#include "app/FixtureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::ReadFixture;
using kq9test::WriteFixture;

namespace {

class ValueFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        for (int p = 0; p < ParameterCount; ++p)
            Par[static_cast<size_t>(p)] = (p % 2 ? -1 : 1) * p * 7;
        for (int s = 1; s <= SetpointCount; ++s)
            Soll[static_cast<size_t>(s)] = 100000 * s;
    }
    QString Path(const char* name) const { return FDir.filePath(QString::fromLatin1(name)); }
    // A parameter file's text with line `number` replaced by `line` (removed when empty).
    QByteArray ParamText(int number = -1, const QByteArray& line = {}) const {
        QByteArray text = "ASCII Parameters KX7x-XXX   No: 3\r\n\r\n";
        for (int p = 0; p < ParameterCount; ++p) {
            if (p == number) {
                if (!line.isEmpty())
                    text += line + "\r\n";
                continue;
            }
            text += QByteArray("P") + QByteArray::number(p).rightJustified(3, '0') + " 1\r\n";
        }
        return text;
    }
    TValueFileResult OpenParam(const QByteArray& text, bool checkHeader = true) {
        TParValues values{};
        values[17] = 4242;
        TValueFileResult result =
            ReadParamFile(WriteFixture(FDir.path(), "p.app", text), checkHeader, values);
        // Nothing is taken from a refused file.
        if (result != TValueFileResult::Ok) {
            EXPECT_EQ(values[17], 4242);
        }
        return result;
    }

    QTemporaryDir FDir;
    TParValues Par{};
    TSollValues Soll{};
};

} // namespace

TEST_F(ValueFileTest, ParameterFileRoundTrip) {
    ASSERT_TRUE(WriteParamFile(Path("set.app"), 7, Par));
    QByteArray bytes = ReadFixture(Path("set.app"));
    QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.takeLast(), ""); // the last line ends with its line end too
    ASSERT_EQ(lines.size(), 402);
    for (const QByteArray& line : lines)
        EXPECT_TRUE(line.endsWith('\r'));
    EXPECT_EQ(lines[0], "ASCII Parameters KX7x-XXX   No: 7\r");
    EXPECT_EQ(lines[1], "\r");
    EXPECT_EQ(lines[2], "P000 0\r");
    EXPECT_EQ(lines[19], "P017 -119\r");
    EXPECT_EQ(lines[401], "P399 -2793\r");

    TParValues read{};
    EXPECT_EQ(ReadParamFile(Path("set.app"), true, read), TValueFileResult::Ok);
    EXPECT_EQ(read, Par);
}

TEST_F(ValueFileTest, SetpointFileRoundTripCarriesParameter399InLineZero) {
    ASSERT_TRUE(WriteSollFile(Path("set.aps"), 12, Soll, -399));
    QList<QByteArray> lines = ReadFixture(Path("set.aps")).split('\n');
    ASSERT_EQ(lines.takeLast(), "");
    ASSERT_EQ(lines.size(), 51);
    EXPECT_EQ(lines[0], "ASCII Sollwerten KX7x-XXX   No: 12\r");
    EXPECT_EQ(lines[2], "S000 -399\r");
    EXPECT_EQ(lines[3], "S001 100000\r");
    EXPECT_EQ(lines[50], "S048 4800000\r");

    TSollValues read{};
    read[0] = 55;
    EXPECT_EQ(ReadSollFile(Path("set.aps"), true, read), TValueFileResult::Ok);
    EXPECT_EQ(read[0], 55); // line 000 is no setpoint
    for (int s = 1; s <= SetpointCount; ++s)
        EXPECT_EQ(read[static_cast<size_t>(s)], Soll[static_cast<size_t>(s)]);

    // A setpoint file is no parameter file, and the other way round.
    TParValues par{};
    EXPECT_EQ(ReadParamFile(Path("set.aps"), true, par), TValueFileResult::OpenMsg2);
    EXPECT_EQ(ReadParamFile(Path("set.aps"), false, par), TValueFileResult::OpenMsg3);
    ASSERT_TRUE(WriteParamFile(Path("set.app"), 0, Par));
    EXPECT_EQ(ReadSollFile(Path("set.app"), true, read), TValueFileResult::OpenMsg2);
    // 48 value lines: one missing.
    QByteArray text = ReadFixture(Path("set.aps"));
    text.replace("S048 4800000\r\n", "");
    EXPECT_EQ(ReadSollFile(WriteFixture(FDir.path(), "short.aps", text), true, read),
              TValueFileResult::OpenMsg4);
}

TEST_F(ValueFileTest, OpeningRules) {
    EXPECT_EQ(OpenParam(ParamText()), TValueFileResult::Ok);
    // Blank lines between the value lines, LF line ends and a last line without its line end
    // are all accepted.
    QByteArray loose = ParamText();
    loose.replace("P100 1\r\n", "\r\n\r\nP100 1\r\n\n");
    loose.replace("\r\n", "\n");
    loose.chop(1);
    EXPECT_EQ(OpenParam(loose), TValueFileResult::Ok);

    EXPECT_EQ(ReadParamFile(Path("missing.app"), true, Par), TValueFileResult::OpenMsg1);
    QByteArray header = ParamText();
    header.replace("Parameters", "Parameter ");
    EXPECT_EQ(OpenParam(header), TValueFileResult::OpenMsg2);
    // Without a language file the header is not examined.
    EXPECT_EQ(OpenParam(header, false), TValueFileResult::Ok);
    EXPECT_EQ(OpenParam(""), TValueFileResult::OpenMsg2);

    const QByteArray malformed[] = {
        "P17 250", "P017  250", "P017 25 0", "P017 0x10",        "P017 1,5", "P017 ",
        "P400 1",  "P-17 1",    "Q017 1",    "P017 99999999999", " P017 1",
    };
    for (const QByteArray& line : malformed)
        EXPECT_EQ(OpenParam(ParamText(17, line)), TValueFileResult::OpenMsg3) << line.data();

    EXPECT_EQ(OpenParam(ParamText(17)), TValueFileResult::OpenMsg4);              // 399 lines
    EXPECT_EQ(OpenParam(ParamText(17, "P016 1")), TValueFileResult::OpenMsg4);    // 16 twice
    EXPECT_EQ(OpenParam(ParamText() + "P017 1\r\n"), TValueFileResult::OpenMsg4); // 401 lines
}
