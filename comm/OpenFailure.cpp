#include "comm/OpenFailure.h"

#include "comm/CommTexts.h"

namespace {

TOpenFailureAdvice& Advice() {
    static TOpenFailureAdvice advice;
    return advice;
}

} // namespace

void SetOpenFailureAdvice(TOpenFailureAdvice advice) {
    Advice() = std::move(advice);
}

std::string OpenFailureMessage(const std::string& devicePath, int error) {
    std::string message = SysErrorMessage(error);
    std::string advice = Advice() ? Advice()(devicePath, error) : std::string();
    if (advice.empty())
        return message;
    return message.empty() ? advice : message + '\n' + advice;
}
