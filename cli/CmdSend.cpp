// kq9ctl send TEXT...: sends one command as the terminal does (trimmed, CR appended) and prints
// the reply without its line end.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"

#include <iostream>

int RunSendCommand(const TCtlOptions& options) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {}, arguments))
        return CtlExit::Usage;
    if (arguments.Words.empty()) {
        std::cerr << "kq9ctl: send needs the text to send\n" << CtlUsage();
        return CtlExit::Usage;
    }
    std::string text;
    for (const std::string& word : arguments.Words)
        text += (text.empty() ? "" : " ") + word;

    TCtlPort port(options);
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    if (int result = port.SelectUnit(); result != CtlExit::Success)
        return result;
    std::string reply;
    if (int result = port.ExchangeTyped(text, reply); result != CtlExit::Success)
        return result;
    std::cout << WithoutLineEnd(reply) << '\n';
    return CtlExit::Success;
}
