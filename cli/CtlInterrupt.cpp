#include "cli/CtlInterrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t Interrupted = 0;
struct sigaction Previous {};

} // namespace

TCtlInterrupt::TCtlInterrupt() {
    Interrupted = 0;
    struct sigaction action {};
    action.sa_handler = [](int) { Interrupted = 1; };
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &Previous);
}

TCtlInterrupt::~TCtlInterrupt() {
    sigaction(SIGINT, &Previous, nullptr);
}

bool TCtlInterrupt::Requested() {
    return Interrupted != 0;
}
