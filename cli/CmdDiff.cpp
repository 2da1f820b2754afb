// kq9ctl diff A B: compares two parameter sets, or two setpoint sets, each a file or "device"
// (read from the unit), and prints every value that differs as the compare window lists it:
// number, name, A's value and option text, B's value and option text, separated by tabs
// (setpoints: number and the two values). A file ending in ".aps" holds setpoints, any other
// file parameters. Values with decimals codes 9 and 10 take their decimals from A when A holds
// parameters, and from the unit when setpoints are compared with it.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlParams.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/LeesParSollSequence.h"
#include "params/ParamDefs.h"
#include "params/ValueCompare.h"

#include <iostream>
#include <vector>

namespace {

const std::string Device = "device";

struct TDiffSide {
    std::string Name; // a path or "device"
    std::vector<int32_t> Values;

    bool IsDevice() const { return Name == Device; }
};

bool IsSetpointFile(const std::string& name) {
    return QString::fromLocal8Bit(name).endsWith(QStringLiteral(".aps"), Qt::CaseInsensitive);
}

bool ParseArguments(const TCtlOptions& options, TDiffSide& a, TDiffSide& b, TCompareKind& kind) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {}, arguments))
        return false;
    if (arguments.Words.size() != 2) {
        std::cerr << "kq9ctl: diff needs two sets: files or \"device\"\n" << CtlUsage();
        return false;
    }
    a.Name = arguments.Words[0];
    b.Name = arguments.Words[1];
    if (a.IsDevice() && b.IsDevice()) {
        std::cerr << "kq9ctl: diff compares the unit with a file, or two files; not the unit "
                     "with itself\n";
        return false;
    }
    const bool setpoints = IsSetpointFile(a.IsDevice() ? b.Name : a.Name);
    if (!a.IsDevice() && !b.IsDevice() && IsSetpointFile(b.Name) != setpoints) {
        std::cerr << "kq9ctl: diff compares files of one kind: " << a.Name << " and " << b.Name
                  << " are a parameter and a setpoint file\n";
        return false;
    }
    kind = setpoints ? TCompareKind::Setpoints : TCompareKind::Parameters;
    return true;
}

int ReadFileSide(TDiffSide& side, TCompareKind kind) {
    const char* outcome = "nothing was compared";
    if (kind == TCompareKind::Parameters) {
        TParValues values{};
        int result = ReadParamFileForCtl(side.Name, values, outcome);
        side.Values.assign(values.begin(), values.end());
        return result;
    }
    TSollValues setpoints{};
    int result = ReadSollFileForCtl(side.Name, setpoints, outcome);
    side.Values.assign(setpoints.begin(), setpoints.end());
    return result;
}

int ReadDeviceSide(TCtlPort& port, TDiffSide& side, TCompareKind kind) {
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    const bool parameters = kind == TCompareKind::Parameters;
    if (int result = RunTransfer(port, read, parameters ? 0 : 1,
                                 parameters ? "reading parameters" : "reading setpoints");
        result != CtlExit::Success)
        return result;
    if (parameters) {
        side.Values.assign(read.ParBuffer.begin(), read.ParBuffer.end());
        return CtlExit::Success;
    }
    side.Values.assign(read.SollBuffer.begin(), read.SollBuffer.end());
    // The setpoints' decimals are the unit's.
    return ReadUnitDecimals(port);
}

} // namespace

int RunDiffCommand(const TCtlOptions& options) {
    TDiffSide a, b;
    TCompareKind kind = TCompareKind::Parameters;
    if (!ParseArguments(options, a, b, kind))
        return CtlExit::Usage;
    // The settings first: the language of the names and of a file's refusal.
    TCtlPort port(options);
    LoadParameterTexts();
    for (TDiffSide* side : {&a, &b})
        if (!side->IsDevice())
            if (int result = ReadFileSide(*side, kind); result != CtlExit::Success)
                return result;
    for (TDiffSide* side : {&a, &b})
        if (side->IsDevice())
            if (int result = ReadDeviceSide(port, *side, kind); result != CtlExit::Success)
                return result;
    if (kind == TCompareKind::Parameters)
        std::copy(a.Values.begin(), a.Values.end(), ParamStore().ParData.begin());

    const std::vector<TCompareRow> rows = CompareValues(kind, a.Values, b.Values);
    for (const TCompareRow& row : rows)
        std::cout << CompareRowLine(kind, row, ParamDefs()).toStdString() << '\n';
    const char* what = kind == TCompareKind::Parameters ? "parameter" : "setpoint";
    if (rows.empty()) {
        std::cerr << "kq9ctl: every " << what << " of " << a.Name << " and " << b.Name
                  << " is the same\n";
        return CtlExit::Success;
    }
    std::cerr << "kq9ctl: " << rows.size() << ' ' << what
              << (rows.size() == 1 ? " differs" : "s differ") << " between " << a.Name << " and "
              << b.Name << '\n';
    return CtlExit::Unexpected;
}
