#include "app/LiveView.h"

#include "app/Functies.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/ValueText.h"
#include "comm/LBComm.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

namespace {

const char* const ParityTexts[] = {"N,", "E,", "O,"};

const QString DotsFull = QStringLiteral(". . . . . . ");

int32_t Par(int nr) {
    return ParamStore().ParData[nr];
}

QString FunctionText(int parameter) {
    return ParamDefs().OptieTekst(parameter, Par(parameter));
}

} // namespace

QString FrameSummary(const TLBComm& port) {
    return QString::number(BitsPerSecond(port.Baudrate())) + u',' +
           QString::fromLatin1(ParityTexts[Ord(port.FrameParitybit())]) +
           (port.FrameDatabits() == TDataBit::db_7 ? "7," : "8,") +
           (port.FrameStopbits() == TStopBit::sb_1 ? "1" : "2");
}

bool IsAcceptedDeviceType(const QString& deviceType) {
    return deviceType == QLatin1String("KX71") || deviceType == QLatin1String("KX72");
}

QString ErrorNumberText(const QString& valueText) {
    if (valueText.isEmpty() || valueText.startsWith(QLatin1String("-1")))
        return {};
    return QStringLiteral("KX71... Error: ") + valueText;
}

QString NextActivityDots(const QString& dots) {
    return (dots == DotsFull ? QString() : dots) + QStringLiteral(". ");
}

QString LiveValueText(const TMemoryStream& reply, const std::string& command, size_t limit,
                      int decimals, const QString& suffix) {
    int32_t value = 0;
    auto text = ReadAnswerValueText(reply, command, limit);
    if (!text || !ValueTextToInt(*text, value))
        return NotANumberText;
    return IntToFixedText(decimals, value) + suffix;
}

int32_t BitPattern(const TMemoryStream& reply, const std::string& command) {
    int32_t value = 0;
    auto text = ReadAnswerValueText(reply, command, ShortValueTextLimit);
    if (!text || !ValueTextToInt(*text, value))
        return 0;
    return value;
}

bool ThumbwheelValue(const TMemoryStream& reply, const std::string& command, int32_t& value) {
    auto text = ReadAnswerValueText(reply, command);
    return text && ValueTextToInt(text->mid(2), value);
}

TActualRequests ActualRequests() {
    return {Par(246) != 0, Par(388) == 1, Par(388) == 2, Par(226) == 0, Par(226) == 1};
}

QString InputFunctionText(int input) {
    return FunctionText(248 + input);
}

QString OutputFunctionText(int output) {
    return FunctionText(388 + output);
}

QString K0FunctionText() {
    if (!GlobalVar().LanguageFileLoaded)
        return {};
    int32_t p200 = Par(200), p201 = Par(201), p212 = Par(212), p218 = Par(218);
    if (p200 == 1 || p200 == 2)
        return Tekst(TextKey::Main::K0_HoldReset);
    if ((p201 == 0 || p201 == 2) && p212 != 0)
        return Tekst(TextKey::Main::K0_RefFijn);
    if (p201 == 1 && (p218 == 1 || p218 == 2 || p218 == 4))
        return Tekst(TextKey::Main::K0_SSIJustage);
    return Tekst(TextKey::Main::K0_Inactief);
}
