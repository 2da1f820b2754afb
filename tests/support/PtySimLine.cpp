#include "support/PtySimLine.h"

#include "comm/ComNames.h"
#include "comm/CommTexts.h"

#include <gtest/gtest.h>

namespace kq9test {

TPtySimLine::TPtySimLine(std::initializer_list<int> units) {
    for (int unit : units)
        FLine->AddUnit(unit);
    if (int error = FServer.Start(); error != 0)
        ADD_FAILURE() << "cannot start the simulated line on a pty: " << SysErrorMessage(error);
}

TPtySimLine::~TPtySimLine() {
    FServer.Stop();
    ResetComDevicePaths();
}

void TPtySimLine::UseAs(TPort port) const {
    SetComDevicePath(port, SlavePath());
}

} // namespace kq9test
