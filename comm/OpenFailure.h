#pragma once
// The message of a port that cannot be opened: the system's own text, then whatever the host
// program adds for that failure (such as how to get access to the device). The library has no
// language texts of its own for this, so the host supplies the addition.

#include <functional>
#include <string>

// Further words for a failed open of `devicePath` with the OS error number `error`; empty when
// there is nothing to add.
using TOpenFailureAdvice = std::function<std::string(const std::string& devicePath, int error)>;

// Set once at program start, before any port opens; an empty function removes it.
void SetOpenFailureAdvice(TOpenFailureAdvice advice);

// The system text for `error`, followed on a new line by the host's advice when it gives one.
std::string OpenFailureMessage(const std::string& devicePath, int error);
