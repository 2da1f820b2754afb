#pragma once
// The calibration window apart from its widgets: its five protocol components, the read-in of
// the twelve offset and gain values and the four DAC teach values, the commands that switch
// calibration mode, select the output under calibration, drive it to teach points, write values
// and store them in the EEPROM, the live readings of the analog inputs, and the state that
// decides which groups can be used. The window and the controller stay in step through the
// controller's confirmations: pressing a button changes nothing here until its reply arrives
// (only the live input toggles act at once). The window shows what the events report and hands
// over what the operator does; every handler runs on the UI thread.

#include "calib/CalibratieValues.h"
#include "calib/CommandQueue.h"
#include "comm/LD100Protocol.h"

#include <QString>

#include <array>
#include <functional>

class TLBComm;

// The groups that are enabled and disabled together: the DA voltage group (its offset and gains,
// its three teach points and "Set" buttons), the DA current group likewise, both AD groups (their
// offsets, gains, captions and "ON" buttons), and the output selection.
enum class TCalibGroup { Spanning, Stroom, AD, DASelect };
constexpr int CalibGroupCount = 4;

enum class TAnalogInput { Voltage, Current };

// A reply as the calibration handlers read it: the text is the reply less its line end (empty for
// a reply of more than 100 bytes), its first two characters the code; after the code and its
// blank, the rest splits at its first blank into key and value. Without a blank the whole rest
// is both the key and the value.
struct TCalibReply {
    QString Text;
    QString Code;
    QString Key;
    QString Value;
};
TCalibReply ReadCalibReply(const TMemoryStream& result);

// The warning shown when the window closes with values not yet stored in the EEPROM.
inline const QString CloseWarningCaption = QStringLiteral("Waarschuwing");
inline const QString CloseWarningText =
    QStringLiteral("Er zijn calibratie waarden naar de KX7x...gezonden maar nog niet gesaved in "
                   "EEPROM. Wilt U toch afsluiten?");

class TCalibratieLogic {
public:
    explicit TCalibratieLogic(TLBComm* port);
    TCalibratieLogic(const TCalibratieLogic&) = delete;
    TCalibratieLogic& operator=(const TCalibratieLogic&) = delete;

    // Every command that changes something; the read-in of the values; of the DAC teach values;
    // the repeated readings of the analog voltage and current inputs.
    TLD100Protocol LD100Kalibratie;
    TLD100Protocol LD100LeesKalibratieWaarden;
    TLD100Protocol LD100Lees_DAC_TeachWaarden;
    TLD100Protocol LD100Lees_U_AD;
    TLD100Protocol LD100Lees_I_AD;

    // Each time the window is shown: mode off, teach points preset, every group disabled, and the
    // read-in started.
    void FormActivate();
    // The window is about to close: live readings off, then, with values not stored in the
    // EEPROM, OnConfirmClose decides. True when the window may close.
    bool FormClose();

    void CmdSetKalibtatieModeClick(); // "Aan": calibration mode on
    void CmdResCalibtatieModeClick(); // "Uit": mode off, live readings off
    void CmdSet_U_actiefClick();      // the voltage output under calibration
    void CmdSet_I_actiefClick();      // the current output
    void CmdSet_I_InActiefClick();    // neither
    void CmdSaveToEEPROMClick();      // store the values in the EEPROM
    void CmdSetClick(int teachPoint); // drive the selected output to a teach point
    void cmd_LeesDAC_TeachClick();    // read the DAC teach values again
    void CmdAct_U_ADClick() { Actual_U_AD(); }
    void CmdAct_I_ADClick() { Actual_I_AD(); }
    // The "ON" buttons: the other input's live reading goes off first; then this one toggles.
    void Actual_U_AD() { ToggleLive(TAnalogInput::Voltage); }
    void Actual_I_AD() { ToggleLive(TAnalogInput::Current); }

    // The operator changed calibration value `index` (of CalibValues) or teach point `index` (of
    // TeachPoints). A calibration value is sent at once while calibration mode is on.
    void SpinEditChange(int index, int32_t value);
    void TeachPointChange(int index, int32_t value);

    bool CalibrationModeActive() const { return FModeActive; }
    int ReadingStep() const { return FReadingStep; }
    int TeachReadingStep() const { return FTeachStep; }
    int32_t Value(int index) const { return FValues[static_cast<size_t>(index)]; }
    // The last value known to be in the controller's EEPROM.
    int32_t SavedValue(int index) const { return FSaved[static_cast<size_t>(index)]; }
    // The last value the controller confirmed holding: read in, or taken with a "kw".
    int32_t TakenValue(int index) const { return FTaken[static_cast<size_t>(index)]; }
    int32_t TeachPoint(int index) const { return FTeachPoints[static_cast<size_t>(index)]; }
    // The controller has taken a changed value that is not yet stored in its EEPROM (a "kw"
    // still on its way also makes the closing warn).
    bool Unsaved() const { return FUnsaved; }
    bool GroupEnabled(TCalibGroup group) const { return FGroups[static_cast<size_t>(group)]; }
    bool EEPROMEnabled() const { return FEEPROMEnabled; }
    bool Live(TAnalogInput input) const { return FLive[static_cast<size_t>(input)]; }
    const TCommandQueue& Commands() const { return FCommands; }

    // The status line: a reply in the normal colour, a failure in red.
    std::function<void(const QString& text, bool red)> OnStatus;
    // A value set into its spin edit (clamped to its range), a teach point preset, a DAC teach
    // value's text.
    std::function<void(int index, int32_t value)> OnValue;
    std::function<void(int index, int32_t value)> OnTeachPoint;
    std::function<void(int index, const QString& text)> OnDacTeachValue;
    std::function<void(TCalibGroup group, bool enabled)> OnGroupEnabled;
    std::function<void(bool enabled)> OnEEPROMEnabled;
    // A live reading switched on or off (off clears its panel), and a reading's text.
    std::function<void(TAnalogInput input, bool live)> OnLive;
    std::function<void(TAnalogInput input, const QString& text)> OnLiveValue;
    // A read-in value that is not a whole number: the message for the general error report.
    std::function<void(const QString& message)> OnConversionError;
    // Whether to close with unsaved values; without a handler the window stays open.
    std::function<bool(const QString& caption, const QString& text)> OnConfirmClose;

    void LD100KalibratieCommResult(TMemoryStream& result);
    void LD100LeesKalibratieWaardenCommResult(TMemoryStream& result);
    void LD100Lees_DAC_TeachWaardenCommResult(TMemoryStream& result);
    void LD100Lees_U_ADCommResult(TMemoryStream& result) {
        LiveResult(TAnalogInput::Voltage, result);
    }
    void LD100Lees_I_ADCommResult(TMemoryStream& result) {
        LiveResult(TAnalogInput::Current, result);
    }
    // The error event of the command and read-in components.
    void LD100KalibratieCommError(const TCommError& error);

private:
    void BindComponents();
    void ShowStatus(const QString& text, bool red);
    void SetGroup(TCalibGroup group, bool enabled);
    void SetEEPROM(bool enabled);
    // Sets a read-in value into its spin edit; the change is sent like the operator's would be.
    void SetValue(int index, int32_t value);
    // A read-in reply's value as a whole number; false (reported) when it is no read reply or
    // no number, which ends its chain.
    bool ReadInValue(const TCalibReply& reply, int32_t& value);
    // A "kw" confirmation of `command` (the command it answers, empty for none).
    void TakeWrite(const TCalibReply& reply, const std::string& command);
    void ReadTeachValue(int number);
    void ToggleLive(TAnalogInput input);
    void SwitchLiveOn(TAnalogInput input);
    void SwitchLiveOff(TAnalogInput input);
    void SwitchLiveOff();
    void LiveResult(TAnalogInput input, const TMemoryStream& result);
    TLD100Protocol& LiveComponent(TAnalogInput input);

    TCommandQueue FCommands{LD100Kalibratie};
    bool FModeActive = false;
    int FReadingStep = 0;
    int FTeachStep = DacTeachDone;
    std::array<int32_t, CalibValues.size()> FValues{};
    std::array<int32_t, CalibValues.size()> FSaved{};
    std::array<int32_t, CalibValues.size()> FTaken{};
    std::array<int32_t, TeachPoints.size()> FTeachPoints{};
    bool FUnsaved = false;
    std::array<bool, CalibGroupCount> FGroups{};
    bool FEEPROMEnabled = false;
    std::array<bool, 2> FLive{};
};
