// kq9ctl identify [--strict]: selects the unit and reads its three identification texts as the
// main window does, one a line. With --strict a unit of another type than KX71 or KX72 fails.

#include "app/LiveView.h"
#include "app/ValueText.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"

#include <iostream>

namespace {

// The value text of an identification reply.
QString ValueOf(const std::string& reply) {
    TMemoryStream stream;
    stream.Write(reinterpret_cast<const uint8_t*>(reply.data()), reply.size());
    return ReadValueText(stream);
}

} // namespace

int RunIdentifyCommand(const TCtlOptions& options) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {{}, {"--strict"}}, arguments))
        return CtlExit::Usage;
    if (!arguments.Words.empty()) {
        std::cerr << "kq9ctl: identify takes no argument " << arguments.Words[0] << '\n'
                  << CtlUsage();
        return CtlExit::Usage;
    }
    const bool strict = arguments.Has("--strict");
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    QString type;
    for (const char* command : {"rt", "rh", "rx"}) {
        std::string reply;
        if (int result = port.Exchange(command, reply); result != CtlExit::Success)
            return result;
        QString value = ValueOf(reply);
        if (type.isNull())
            type = value;
        std::cout << value.toStdString() << '\n';
    }
    if (strict && !IsAcceptedDeviceType(type.left(4))) {
        std::cerr << "kq9ctl: the unit is a " << type.toStdString() << ", not a KX71 or KX72\n";
        return CtlExit::Unexpected;
    }
    return CtlExit::Success;
}
