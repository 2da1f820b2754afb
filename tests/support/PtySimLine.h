#pragma once
// The simulated line of controllers on a real pty for the length of a test: the port under
// test opens SlavePath() (or the COM name given to UseAs) like any serial device, and the test
// turns the units' knobs through Line():
//
//     kq9test::TPtySimLine sim({0, 5});
//     sim.UseAs(TPort::COM2);
//     sim.Line().Configure(5, [](TSimUnit& u) { u.Faults.Silent = true; });

#include "comm/CommTypes.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace kq9test {

class TPtySimLine {
public:
    // Starts serving units `units` (every one answering at any line settings); a failure to
    // start fails the test.
    explicit TPtySimLine(std::initializer_list<int> units = {0});
    // Stops serving and restores the COM-name table.
    ~TPtySimLine();

    const std::string& SlavePath() const { return FServer.SlavePath(); }
    TSimLine& Line() { return *FLine; }
    // Points the COM name `port` at this line.
    void UseAs(TPort port) const;
    // Closes the master side, as when the cable is pulled; LineDropped() follows shortly.
    void DropLine() { FServer.DropLine(); }
    bool LineDropped() const { return FServer.LineDropped(); }

private:
    std::shared_ptr<TSimLine> FLine = std::make_shared<TSimLine>();
    TSimPtyServer FServer{FLine};
};

} // namespace kq9test
