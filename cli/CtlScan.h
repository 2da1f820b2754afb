#pragma once
// The search loop of kq9ctl scan, apart from its options and its port: the device search run
// over `port` until it has gone round every rate, every unit found printed on stdout at once
// (the search window's columns separated by tabs), progress and failures on stderr. A line
// setting the device refuses is reported and skipped. `waitFor` runs the port's hand-overs
// until its condition holds. Returns the exit code.

#include "app/ApparaatZoekenSteps.h"

#include <functional>

class TLBComm;

int ScanLine(TLBComm& port, const TSearchOptions& options,
             const std::function<void(const std::function<bool()>&)>& waitFor);
