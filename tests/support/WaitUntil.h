#pragma once
// Waiting in tests: process the UI hand-over's messages until a condition holds or the deadline
// passes. Never a fixed sleep.

#include <functional>

namespace kq9test {

// True when `condition` became true within timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);
// Processes messages for the whole period (to show that nothing more happens).
void ProcessFor(int ms);

} // namespace kq9test
