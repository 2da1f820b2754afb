#include "calib/CalibratieLogic.h"

#include "app/Functies.h"
#include "app/LiveView.h"
#include "app/TextFile.h"
#include "app/ValueText.h"
#include "app/WrapText.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr size_t LineEndBytes = 2;
constexpr size_t HeadChars = 3; // the code and its blank
constexpr int LiveDecimals = 4;

const QString TimeoutText = QStringLiteral("Timeout!");
const QString CommErrorText = QStringLiteral("Communicatie error");

const std::string WriteCommand = "kw ";

std::string ReadCommand(int number) {
    return "kr " + std::to_string(number);
}

// The value a "kw" command writes, when `command` is one for calibration value `number`.
std::optional<int32_t> WrittenValue(const std::string& command, int number) {
    const std::string head = WriteCommand + std::to_string(number) + ' ';
    if (!command.starts_with(head))
        return std::nullopt;
    int32_t value = 0;
    const char* end = command.data() + command.size();
    auto [ptr, error] = std::from_chars(command.data() + head.size(), end, value);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

TCalibReply ReadCalibReply(const TMemoryStream& result) {
    TCalibReply reply;
    const std::vector<uint8_t>& bytes = result.Bytes();
    if (bytes.size() > ValueTextLimit || bytes.size() < LineEndBytes)
        return reply;
    reply.Text = DecodeWindows1252(QByteArrayView(bytes.data(), bytes.size() - LineEndBytes));
    reply.Code = reply.Text.left(2);
    QString rest = reply.Text.mid(HeadChars);
    qsizetype blank = rest.indexOf(u' ');
    reply.Key = blank < 0 ? rest : rest.left(blank);
    reply.Value = blank < 0 ? rest : rest.mid(blank + 1);
    return reply;
}

TCalibratieLogic::TCalibratieLogic(TLBComm* port) {
    LD100Kalibratie.SetName("LD100Kalibratie");
    LD100LeesKalibratieWaarden.SetName("LD100LeesKalibratieWaarden");
    LD100Lees_DAC_TeachWaarden.SetName("LD100Lees_DAC_TeachWaarden");
    LD100Lees_U_AD.SetName("LD100Lees_U_AD");
    LD100Lees_I_AD.SetName("LD100Lees_I_AD");
    for (TLD100Protocol* component :
         {&LD100Kalibratie, &LD100LeesKalibratieWaarden, &LD100Lees_DAC_TeachWaarden,
          &LD100Lees_U_AD, &LD100Lees_I_AD}) {
        component->SetProtocolFoot(TSequenceChar::scCR);
        component->SetLBComm(port);
    }
    for (size_t i = 0; i < TeachPoints.size(); ++i)
        FTeachPoints[i] = TeachPoints[i].Preset;
    BindComponents();
}

void TCalibratieLogic::BindComponents() {
    LD100Kalibratie.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100KalibratieCommResult(result);
    };
    LD100Kalibratie.OnCommError = [this](TLBProtocolComponent*, const TCommError& error,
                                         TMemoryStream&) {
        if (!FCommands.Done().Stale)
            LD100KalibratieCommError(error);
    };
    // Closing the port drops its queue: what was outstanding will never be answered.
    LD100Kalibratie.OnDeactivate = [this](TLBProtocolComponent*) { FCommands.Clear(); };
    LD100LeesKalibratieWaarden.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100LeesKalibratieWaardenCommResult(result);
    };
    LD100Lees_DAC_TeachWaarden.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100Lees_DAC_TeachWaardenCommResult(result);
    };
    for (TLD100Protocol* chain : {&LD100LeesKalibratieWaarden, &LD100Lees_DAC_TeachWaarden}) {
        chain->OnCommError = [this](TLBProtocolComponent*, const TCommError& error,
                                    TMemoryStream&) { LD100KalibratieCommError(error); };
    }
    // The live readers have no error event: a failed reading leaves the last value shown.
    LD100Lees_U_AD.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100Lees_U_ADCommResult(result);
    };
    LD100Lees_I_AD.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100Lees_I_ADCommResult(result);
    };
}

void TCalibratieLogic::FormActivate() {
    FModeActive = false;
    FCommands.Restart();
    for (size_t i = 0; i < TeachPoints.size(); ++i) {
        FTeachPoints[i] = TeachPoints[i].Preset;
        if (OnTeachPoint)
            OnTeachPoint(static_cast<int>(i), FTeachPoints[i]);
    }
    FReadingStep = CalibReadOrder.front();
    LD100LeesKalibratieWaarden.SetASCIIProtocol(ReadCommand(FReadingStep));
    LD100LeesKalibratieWaarden.Send();
    FUnsaved = false;
    for (TCalibGroup group :
         {TCalibGroup::Spanning, TCalibGroup::Stroom, TCalibGroup::AD, TCalibGroup::DASelect})
        SetGroup(group, false);
    SetEEPROM(false);
}

bool TCalibratieLogic::FormClose() {
    SwitchLiveOff();
    // A value still on its way to the controller is as unsaved as one it has taken.
    if (!FUnsaved && !FCommands.Holds(WriteCommand))
        return true;
    return OnConfirmClose && OnConfirmClose(CloseWarningCaption, WrapText(CloseWarningText));
}

void TCalibratieLogic::CmdSetKalibtatieModeClick() {
    FCommands.Send("km 1");
}

void TCalibratieLogic::CmdResCalibtatieModeClick() {
    FCommands.Send("km 0");
    SwitchLiveOff();
}

void TCalibratieLogic::CmdSet_U_actiefClick() {
    FCommands.Send("kf 1");
}

void TCalibratieLogic::CmdSet_I_actiefClick() {
    FCommands.Send("kf 2");
}

void TCalibratieLogic::CmdSet_I_InActiefClick() {
    FCommands.Send("kf 0");
}

void TCalibratieLogic::CmdSaveToEEPROMClick() {
    FCommands.Send("ks");
}

void TCalibratieLogic::CmdSetClick(int teachPoint) {
    int32_t value = FTeachPoints[static_cast<size_t>(teachPoint)];
    FCommands.Send("ka " + std::to_string(TeachCommandValue(teachPoint, value)));
}

void TCalibratieLogic::cmd_LeesDAC_TeachClick() {
    ReadTeachValue(DacTeachValues.front().Number);
}

void TCalibratieLogic::SpinEditChange(int index, int32_t value) {
    FValues[static_cast<size_t>(index)] = value;
    if (FModeActive) {
        FCommands.Send(WriteCommand +
                       std::to_string(CalibValues[static_cast<size_t>(index)].Number) + " " +
                       std::to_string(value));
    }
}

void TCalibratieLogic::TeachPointChange(int index, int32_t value) {
    FTeachPoints[static_cast<size_t>(index)] = value;
}

void TCalibratieLogic::SetValue(int index, int32_t value) {
    const TCalibValue& def = CalibValues[static_cast<size_t>(index)];
    int32_t clamped = std::clamp(value, def.Minimum, def.Maximum);
    if (clamped == FValues[static_cast<size_t>(index)])
        return;
    if (OnValue)
        OnValue(index, clamped);
    SpinEditChange(index, clamped);
}

void TCalibratieLogic::LD100KalibratieCommResult(TMemoryStream& result) {
    TCalibReply reply = ReadCalibReply(result);
    TCommandQueue::TDone done = FCommands.Done();
    if (done.Stale)
        return;
    ShowStatus(reply.Text, false);
    if (reply.Code == u"ks") {
        // The EEPROM now holds what the controller had taken when the "ks" came; a "kw" still
        // queued behind it is not in there.
        FSaved = FTaken;
        FUnsaved = false;
        SetEEPROM(false);
    } else if (reply.Code == u"kw") {
        TakeWrite(reply, done.Command);
    } else if (reply.Code == u"kf") {
        if (reply.Key == u"0") {
            SetGroup(TCalibGroup::Spanning, false);
            SetGroup(TCalibGroup::Stroom, false);
        } else if (reply.Key == u"1") {
            SetGroup(TCalibGroup::Spanning, true);
            SetGroup(TCalibGroup::Stroom, false);
        } else if (reply.Key == u"2") {
            SetGroup(TCalibGroup::Spanning, false);
            SetGroup(TCalibGroup::Stroom, true);
        }
    } else if (reply.Code == u"ki") {
        SetGroup(TCalibGroup::Spanning, false);
        SetGroup(TCalibGroup::Stroom, true);
    } else if (reply.Code == u"km" && reply.Key == u"0") {
        for (TCalibGroup group :
             {TCalibGroup::Spanning, TCalibGroup::Stroom, TCalibGroup::AD, TCalibGroup::DASelect})
            SetGroup(group, false);
        FModeActive = false;
    } else if (reply.Code == u"km" && reply.Key == u"1") {
        SetGroup(TCalibGroup::DASelect, true);
        FModeActive = true;
        SetGroup(TCalibGroup::AD, true);
    } else if (reply.Code == u"wp") {
        // The written analog input mode takes effect with the take-over.
        FCommands.Send("bp");
    }
}

void TCalibratieLogic::TakeWrite(const TCalibReply& reply, const std::string& command) {
    bool ok = false;
    const int number = reply.Key.toInt(&ok);
    const int index = ok ? CalibValueIndex(number) : -1;
    if (index >= 0) {
        const auto i = static_cast<size_t>(index);
        // The confirmed command says which value the controller took; a confirmation of no
        // command of ours can only mean the value in the spin edit.
        FTaken[i] = WrittenValue(command, number).value_or(FValues[i]);
        if (FTaken[i] != FSaved[i])
            FUnsaved = true;
    }
    if (FUnsaved)
        SetEEPROM(true);
}

bool TCalibratieLogic::ReadInValue(const TCalibReply& reply, int32_t& value) {
    // A refusal ("er 3") would otherwise be taken for the value after its code.
    if (reply.Code != u"kr") {
        ShowStatus(reply.Text, true);
        return false;
    }
    if (ValueTextToInt(reply.Value, value))
        return true;
    if (OnConversionError)
        OnConversionError(QStringLiteral("'%1' is not a valid integer value").arg(reply.Value));
    return false;
}

void TCalibratieLogic::LD100LeesKalibratieWaardenCommResult(TMemoryStream& result) {
    TCalibReply reply = ReadCalibReply(result);
    ShowStatus(reply.Text, false);
    auto step = std::find(CalibReadOrder.begin(), CalibReadOrder.end(), FReadingStep);
    if (step == CalibReadOrder.end())
        return;
    int number = *step;
    bool last = step + 1 == CalibReadOrder.end();
    if (!last)
        FReadingStep = *(step + 1);
    int32_t value = 0;
    if (!ReadInValue(reply, value))
        return;
    int index = CalibValueIndex(number);
    SetValue(index, value);
    FSaved[static_cast<size_t>(index)] = FTaken[static_cast<size_t>(index)] =
        FValues[static_cast<size_t>(index)];
    if (last) {
        ReadTeachValue(DacTeachValues.front().Number);
        return;
    }
    LD100LeesKalibratieWaarden.SetASCIIProtocol(ReadCommand(FReadingStep));
    LD100LeesKalibratieWaarden.Send();
}

void TCalibratieLogic::ReadTeachValue(int number) {
    FTeachStep = number;
    LD100Lees_DAC_TeachWaarden.SetASCIIProtocol(ReadCommand(number));
    LD100Lees_DAC_TeachWaarden.Send();
}

void TCalibratieLogic::LD100Lees_DAC_TeachWaardenCommResult(TMemoryStream& result) {
    TCalibReply reply = ReadCalibReply(result);
    ShowStatus(reply.Text, false);
    int index = FTeachStep - DacTeachValues.front().Number;
    if (index < 0 || index >= static_cast<int>(DacTeachValues.size()))
        return;
    int32_t value = 0;
    if (!ReadInValue(reply, value))
        return;
    if (OnDacTeachValue)
        OnDacTeachValue(index, IntToFixedText(0, value));
    if (FTeachStep == DacTeachValues.back().Number)
        FTeachStep = DacTeachDone;
    else
        ReadTeachValue(FTeachStep + 1);
}

void TCalibratieLogic::LD100KalibratieCommError(const TCommError& error) {
    if (error.Code == CommCode::Timeout)
        ShowStatus(TimeoutText, true);
    else if (error.SystemError != 0 || error.LineErrors != 0)
        ShowStatus(CommErrorText, true);
}

TLD100Protocol& TCalibratieLogic::LiveComponent(TAnalogInput input) {
    return input == TAnalogInput::Voltage ? LD100Lees_U_AD : LD100Lees_I_AD;
}

void TCalibratieLogic::ToggleLive(TAnalogInput input) {
    TAnalogInput other =
        input == TAnalogInput::Voltage ? TAnalogInput::Current : TAnalogInput::Voltage;
    if (Live(other))
        SwitchLiveOff(other);
    if (Live(input))
        SwitchLiveOff(input);
    else
        SwitchLiveOn(input);
}

void TCalibratieLogic::SwitchLiveOn(TAnalogInput input) {
    bool voltage = input == TAnalogInput::Voltage;
    // Parameter 226 selects the input the controller measures.
    FCommands.Send(voltage ? "wp 226 0" : "wp 226 1");
    TLD100Protocol& component = LiveComponent(input);
    component.SetASCIIProtocol(voltage ? "r4" : "r5");
    component.SetCyclic(true);
    FLive[static_cast<size_t>(input)] = true;
    if (OnLive)
        OnLive(input, true);
}

void TCalibratieLogic::SwitchLiveOff(TAnalogInput input) {
    LiveComponent(input).SetCyclic(false);
    FLive[static_cast<size_t>(input)] = false;
    if (OnLive)
        OnLive(input, false);
}

void TCalibratieLogic::SwitchLiveOff() {
    for (TAnalogInput input : {TAnalogInput::Voltage, TAnalogInput::Current}) {
        if (Live(input))
            SwitchLiveOff(input);
    }
}

void TCalibratieLogic::LiveResult(TAnalogInput input, const TMemoryStream& result) {
    // A reading still under way when its side was switched off.
    if (!Live(input))
        return;
    QString suffix = input == TAnalogInput::Voltage ? QStringLiteral(" V") : QStringLiteral(" mA");
    if (OnLiveValue)
        OnLiveValue(input, LiveValueText(result, LiveComponent(input).ASCIIProtocol(),
                                         ValueTextLimit, LiveDecimals, suffix));
}

void TCalibratieLogic::ShowStatus(const QString& text, bool red) {
    if (OnStatus)
        OnStatus(text, red);
}

void TCalibratieLogic::SetGroup(TCalibGroup group, bool enabled) {
    FGroups[static_cast<size_t>(group)] = enabled;
    if (OnGroupEnabled)
        OnGroupEnabled(group, enabled);
}

void TCalibratieLogic::SetEEPROM(bool enabled) {
    FEEPROMEnabled = enabled;
    if (OnEEPROMEnabled)
        OnEEPROMEnabled(enabled);
}
