// kq9ctl set-param N VALUE [--take-over]: checks VALUE as the service-parameter dialog's OK does
// (typed the same way, against the limits of the definitions), writes it to parameter N of the
// unit and, with --take-over, has the unit take the parameters over.

#include "app/Functies.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlParams.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/DecimalText.h"
#include "params/ParamDefs.h"
#include "params/ParamServiceInput.h"
#include "params/ParamStore.h"
#include "params/SingleParamReplies.h"

#include <iostream>

namespace {

struct TSetParamArguments {
    int Nr = 0;
    QString Value;
    bool TakeOver = false;
};

bool ParseArguments(const TCtlOptions& options, TSetParamArguments& parsed) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {{}, {"--take-over"}}, arguments))
        return false;
    parsed.TakeOver = arguments.Has("--take-over");
    const std::vector<std::string>& words = arguments.Words;
    if (words.size() != 2) {
        std::cerr << "kq9ctl: set-param needs a parameter number and a value\n" << CtlUsage();
        return false;
    }
    parsed.Value = QString::fromStdString(words[1]);
    return ParseParameterNumber(words[0], "set-param", parsed.Nr);
}

// The value as the dialog would store it: an option parameter takes the index of its item, a
// number parameter a fixed-point text with comma or point.
TServiceValue Validate(int nr, const QString& text) {
    const TParamDefs& defs = ParamDefs();
    if (defs.Type(nr) != 0) {
        int32_t index = -1;
        if (!DecimalTextToInt(text, index))
            index = -1;
        return ValidateServiceOption(index, static_cast<int>(defs.Opties(nr).size()));
    }
    QString typed = text;
    typed.replace(u'.', u',');
    return ValidateServiceNumber(typed, ResolvedDecimals(defs.Dec(nr)), defs.Min(nr), defs.Max(nr));
}

std::string Allowed(int nr) {
    const TParamDefs& defs = ParamDefs();
    if (defs.Type(nr) != 0) {
        qsizetype items = defs.Opties(nr).size();
        return items == 0 ? std::string("no value: its option list is empty")
                          : "an item 0 … " + std::to_string(items - 1) + " of its option list";
    }
    int32_t code = defs.Dec(nr);
    return IntToFixedText(code, defs.Min(nr)).toStdString() + " … " +
           IntToFixedText(code, defs.Max(nr)).toStdString();
}

int ReportInvalid(int nr, TServiceCheck check) {
    std::cerr << "kq9ctl: " << ServiceCheckText(check).toStdString() << " (parameter "
              << ParameterSection(nr).toStdString() << " takes " << Allowed(nr)
              << "); nothing was sent\n";
    return CtlExit::Usage;
}

int Write(TCtlPort& port, int nr, int32_t value) {
    std::string reply;
    if (int result = port.Exchange("wp " + std::to_string(nr) + " " + std::to_string(value), reply);
        result != CtlExit::Success)
        return result;
    if (ClassifyWriteReply(reply) == TWriteReply::Accepted)
        return CtlExit::Success;
    std::cerr << "kq9ctl: " << ServiceWriteText(reply).Text.toStdString() << ": the unit answered "
              << WithoutLineEnd(reply) << " and kept its value\n";
    return CtlExit::Unexpected;
}

int TakeOver(TCtlPort& port) {
    std::string reply;
    if (int result = port.Exchange("bp", reply); result != CtlExit::Success) {
        std::cerr << "kq9ctl: the value was written, but it is not known whether the unit took "
                     "the parameters over\n";
        return result;
    }
    if (ClassifyTakeOverReply(reply) == TTakeOverReply::Accepted)
        return CtlExit::Success;
    std::cerr << "kq9ctl: " << ServiceTakeOverText(reply).Text.toStdString()
              << ": the value was written, but the unit answered " << WithoutLineEnd(reply)
              << " and did not take the parameters over\n";
    return CtlExit::Unexpected;
}

} // namespace

int RunSetParamCommand(const TCtlOptions& options) {
    TSetParamArguments arguments;
    if (!ParseArguments(options, arguments))
        return CtlExit::Usage;
    int nr = arguments.Nr;
    TCtlPort port(options);
    LoadParameterTexts();
    // Checked before the port opens when the unit's decimals are not needed for it.
    bool unitDecimals = ParamDefs().Type(nr) == 0 && NeedsUnitDecimals(nr);
    TServiceValue checked;
    if (!unitDecimals) {
        checked = Validate(nr, arguments.Value);
        if (checked.Check != TServiceCheck::Valid)
            return ReportInvalid(nr, checked.Check);
    }
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    if (unitDecimals) {
        if (int result = ReadUnitDecimals(port); result != CtlExit::Success)
            return result;
        checked = Validate(nr, arguments.Value);
        if (checked.Check != TServiceCheck::Valid)
            return ReportInvalid(nr, checked.Check);
    }
    if (int result = Write(port, nr, checked.Value); result != CtlExit::Success)
        return result;
    ParamStore().ParData[static_cast<size_t>(nr)] = checked.Value;
    if (arguments.TakeOver)
        if (int result = TakeOver(port); result != CtlExit::Success)
            return result;
    std::cout << ParameterLine(nr) << '\n';
    return CtlExit::Success;
}
