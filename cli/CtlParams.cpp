#include "cli/CtlParams.h"

#include "app/Functies.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "params/DecimalText.h"
#include "params/EditParamPage.h"
#include "params/LeesParSollSequence.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <iostream>

bool ParseParameterNumber(const std::string& text, const char* command, int& nr) {
    int32_t value = 0;
    if (!DecimalTextToInt(QString::fromStdString(text), value) || value < 0 ||
        value >= ParameterCount) {
        std::cerr << "kq9ctl: " << command << " needs a parameter number 0 … 399, not " << text
                  << '\n';
        return false;
    }
    nr = value;
    return true;
}

void LoadParameterTexts() {
    ParameterDef_lezen();
    ParamNo_lezen();
}

int ReadUnitParameter(TCtlPort& port, int nr, int32_t& value) {
    const std::string command = "rp " + std::to_string(nr);
    std::string reply;
    if (int result = port.Exchange(command, reply); result != CtlExit::Success)
        return result;
    if (!reply.starts_with("rp") || !ReadReplyValue(reply, value)) {
        std::cerr << "kq9ctl: the unit answered \"" << command << "\" with "
                  << WithoutLineEnd(reply) << ", not a value\n";
        return CtlExit::Unexpected;
    }
    ParamStore().ParData[static_cast<size_t>(nr)] = value;
    return CtlExit::Success;
}

bool NeedsUnitDecimals(int nr) {
    int32_t code = ParamDefs().Dec(nr);
    return code == DecimalsOfPosition || code == DecimalsOfLinPosition;
}

int ReadUnitDecimals(TCtlPort& port) {
    for (int nr : {203, 248}) {
        int32_t value = 0;
        if (int result = ReadUnitParameter(port, nr, value); result != CtlExit::Success)
            return result;
    }
    return CtlExit::Success;
}

std::string ParameterLine(int nr) {
    TParamRow row = ParameterRow(nr);
    return QStringList{row.Cells[ColNummer], row.Cells[ColWaarde], row.Cells[ColOptie],
                       row.Cells[ColNaam]}
        .join(u'\t')
        .toStdString();
}
