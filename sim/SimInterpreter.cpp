#include "sim/SimInterpreter.h"

#include "sim/SimLiveValues.h"

#include <charconv>
#include <limits>
#include <map>

namespace {

namespace Er {
constexpr int Unknown = 1, Malformed = 2, OutOfRange = 3, WrongMode = 5, Limits = 7;
}

struct TContext {
    TSimUnit& Unit;
    const TSimParameterTable& Table;
    const TSimCommand& Command;
    int64_t NowMs;
};

// The outcome of a handler: the answer proper, or a refusal number.
struct TOutcome {
    std::string Answer;
    int Refusal = 0;
};

TOutcome Refuse(int number) {
    return {{}, number};
}
TOutcome Answer(const std::string& text) {
    return {text, 0};
}
TOutcome Answer(int64_t value) {
    return {std::to_string(value), 0};
}

bool Fits32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

// Reads the command's arguments as numbers; Malformed when their count or form is wrong.
int Numbers(const TContext& c, size_t count, int64_t* values) {
    if (c.Command.Arguments.size() != count)
        return Er::Malformed;
    for (size_t i = 0; i < count; ++i) {
        if (!ParseSimNumber(c.Command.Arguments[i], values[i]))
            return Er::Malformed;
    }
    return 0;
}

using THandler = TOutcome (*)(TContext&);

TOutcome NoArguments(TContext& c, const std::string& answer) {
    return c.Command.Arguments.empty() ? Answer(answer) : Refuse(Er::Malformed);
}

TOutcome Live(TContext& c, int32_t TSimLiveValues::*field) {
    return NoArguments(c, std::to_string(SimLiveValuesAt(c.Unit, c.NowMs).*field));
}

TOutcome SelectUnit(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] < 0 || n[0] > 31)
        return Refuse(Er::OutOfRange);
    return Answer(n[0]);
}

TOutcome ReadThumbwheel(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] < 1 || n[0] > 4)
        return Refuse(Er::OutOfRange);
    return Answer(std::to_string(n[0]) + " " + std::to_string(c.Unit.Thumbwheels[n[0] - 1]));
}

TOutcome ResetEncoderError(TContext& c) {
    if (!c.Command.Arguments.empty())
        return Refuse(Er::Malformed);
    if (c.Unit.ErrorNumber == 1)
        c.Unit.ErrorNumber = -1;
    return Answer(c.Unit.ErrorNumber);
}

TOutcome ReadParameter(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] < 0 || n[0] >= TSimUnit::ParameterCount)
        return Refuse(Er::OutOfRange);
    return Answer(std::to_string(n[0]) + " " + std::to_string(c.Unit.Parameters[n[0]]));
}

TOutcome ReadSetpoint(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] < 1 || n[0] > TSimUnit::SetpointCount)
        return Refuse(Er::OutOfRange);
    return Answer(std::to_string(n[0]) + " " + std::to_string(c.Unit.Setpoints[n[0] - 1]));
}

TOutcome WriteParameter(TContext& c) {
    int64_t a[2];
    if (int er = Numbers(c, 2, a))
        return Refuse(er);
    if (a[0] < 0 || a[0] >= TSimUnit::ParameterCount)
        return Refuse(Er::OutOfRange);
    if (!c.Table.Accepts(static_cast<int>(a[0]), a[1]))
        return Refuse(Er::Limits);
    c.Unit.Parameters[a[0]] = static_cast<int32_t>(a[1]);
    return Answer(std::to_string(a[0]) + " " + std::to_string(a[1]));
}

TOutcome WriteSetpoint(TContext& c) {
    int64_t a[2];
    if (int er = Numbers(c, 2, a))
        return Refuse(er);
    if (a[0] < 1 || a[0] > TSimUnit::SetpointCount)
        return Refuse(Er::OutOfRange);
    if (!Fits32(a[1]))
        return Refuse(Er::Limits);
    c.Unit.Setpoints[a[0] - 1] = static_cast<int32_t>(a[1]);
    return Answer(std::to_string(a[0]) + " " + std::to_string(a[1]));
}

TOutcome TakeOverParameters(TContext& c) {
    return NoArguments(c, std::to_string(c.Unit.RejectedParameter));
}

TOutcome CalibrationMode(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] != 0 && n[0] != 1)
        return Refuse(Er::OutOfRange);
    c.Unit.CalibrationMode = n[0] == 1;
    if (!c.Unit.CalibrationMode)
        c.Unit.CalibratedOutput = 0;
    return Answer(n[0]);
}

TOutcome SelectCalibratedOutput(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (n[0] < 0 || n[0] > 2)
        return Refuse(Er::OutOfRange);
    if (!c.Unit.CalibrationMode)
        return Refuse(Er::WrongMode);
    c.Unit.CalibratedOutput = static_cast<int>(n[0]);
    return Answer(n[0]);
}

TOutcome DriveTeachPoint(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (!c.Unit.CalibrationMode || c.Unit.CalibratedOutput == 0)
        return Refuse(Er::WrongMode);
    if (!Fits32(n[0]))
        return Refuse(Er::Limits);
    c.Unit.TeachValue = static_cast<int32_t>(n[0]);
    return Answer(n[0]);
}

TOutcome WriteCalibration(TContext& c) {
    int64_t a[2];
    if (int er = Numbers(c, 2, a))
        return Refuse(er);
    if (!Fits32(a[0]) || !IsWritableCalibrationNumber(static_cast<int>(a[0])))
        return Refuse(Er::OutOfRange);
    // Outside calibration mode a value is refused as a write of a parameter beyond its limits is.
    if (!c.Unit.CalibrationMode || !Fits32(a[1]))
        return Refuse(Er::Limits);
    c.Unit.Calibration[static_cast<int>(a[0])] = static_cast<int32_t>(a[1]);
    return Answer(std::to_string(a[0]) + " " + std::to_string(a[1]));
}

TOutcome ReadCalibration(TContext& c) {
    int64_t n[1];
    if (int er = Numbers(c, 1, n))
        return Refuse(er);
    if (!Fits32(n[0]) || !IsCalibrationNumber(static_cast<int>(n[0])))
        return Refuse(Er::OutOfRange);
    return Answer(std::to_string(n[0]) + " " +
                  std::to_string(c.Unit.Calibration[static_cast<int>(n[0])]));
}

// Storing is allowed in and out of calibration mode, so that values written before "km 0" can
// still be kept.
TOutcome StoreCalibration(TContext& c) {
    if (!c.Command.Arguments.empty())
        return Refuse(Er::Malformed);
    c.Unit.StoredCalibration = c.Unit.Calibration;
    return Answer(std::string());
}

const std::map<std::string, THandler>& Handlers() {
    static const std::map<std::string, THandler> handlers = {
        {"sc", SelectUnit},
        {"rt", [](TContext& c) { return NoArguments(c, c.Unit.TypeText); }},
        {"rh", [](TContext& c) { return NoArguments(c, c.Unit.HardwareText); }},
        {"rx", [](TContext& c) { return NoArguments(c, c.Unit.SoftwareText); }},
        {"rf", [](TContext& c) { return NoArguments(c, std::to_string(c.Unit.ErrorNumber)); }},
        {"r0", [](TContext& c) { return Live(c, &TSimLiveValues::Position); }},
        {"r1", [](TContext& c) { return Live(c, &TSimLiveValues::Velocity); }},
        {"r2", [](TContext& c) { return Live(c, &TSimLiveValues::OutVoltage); }},
        {"r3", [](TContext& c) { return Live(c, &TSimLiveValues::OutCurrent); }},
        {"r4", [](TContext& c) { return Live(c, &TSimLiveValues::InVoltage); }},
        {"r5", [](TContext& c) { return Live(c, &TSimLiveValues::InCurrent); }},
        {"r6", [](TContext& c) { return Live(c, &TSimLiveValues::InValue); }},
        {"r8", [](TContext& c) { return Live(c, &TSimLiveValues::LinearPosition); }},
        {"ri", [](TContext& c) { return Live(c, &TSimLiveValues::Inputs); }},
        {"ru", [](TContext& c) { return Live(c, &TSimLiveValues::Outputs); }},
        {"rd", ReadThumbwheel},
        {"wf", ResetEncoderError},
        {"rp", ReadParameter},
        {"rs", ReadSetpoint},
        {"wp", WriteParameter},
        {"ws", WriteSetpoint},
        {"bp", TakeOverParameters},
        {"km", CalibrationMode},
        {"kf", SelectCalibratedOutput},
        {"ka", DriveTeachPoint},
        {"kw", WriteCalibration},
        {"kr", ReadCalibration},
        {"ks", StoreCalibration},
    };
    return handlers;
}

} // namespace

TSimCommand ParseSimCommand(const std::string& text) {
    TSimCommand command;
    std::string word;
    auto flush = [&] {
        if (word.empty())
            return;
        if (command.Name.empty())
            command.Name = word;
        else
            command.Arguments.push_back(word);
        word.clear();
    };
    for (char c : text) {
        if (static_cast<unsigned char>(c) <= ' ')
            flush();
        else
            word += c;
    }
    flush();
    return command;
}

bool ParseSimNumber(const std::string& text, int64_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end;
}

std::string SimAnswer(TSimUnit& unit, const TSimParameterTable& table, const std::string& command,
                      int64_t nowMs) {
    TSimCommand parsed = ParseSimCommand(command);
    auto handler = Handlers().find(parsed.Name);
    if (handler == Handlers().end())
        return "er " + std::to_string(Er::Unknown);
    TContext context{unit, table, parsed, nowMs};
    TOutcome outcome = handler->second(context);
    if (outcome.Refusal != 0)
        return "er " + std::to_string(outcome.Refusal);
    // An answer with nothing after the command is its two letters alone.
    return outcome.Answer.empty() ? parsed.Name : parsed.Name + " " + outcome.Answer;
}
