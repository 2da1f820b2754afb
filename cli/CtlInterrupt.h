#pragma once
// Ctrl-C during a long run of kq9ctl (a recording, a bulk transfer): while a TCtlInterrupt lives,
// SIGINT only raises a flag instead of ending the program mid-exchange. The run looks at it after
// each exchange, stops between two of them, and its caller closes the port and says how far it
// got; files are only ever written after a run has finished, so none is left half written.

class TCtlInterrupt {
public:
    TCtlInterrupt();
    // Puts back what SIGINT did before.
    ~TCtlInterrupt();
    TCtlInterrupt(const TCtlInterrupt&) = delete;
    TCtlInterrupt& operator=(const TCtlInterrupt&) = delete;

    // Ctrl-C came since this one was made.
    static bool Requested();
};
