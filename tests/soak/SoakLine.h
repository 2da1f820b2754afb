#pragma once
// The simulated line the soak drives the program against: two units on a pty behind a link
// path that stays the same, as udev's name for a USB adapter does, so that a dropped line comes
// back as a new pty at the same path. Faults are armed on one unit for the commands they apply
// to; every knob is turned under the line's lock, from the driver thread.

#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"

#include <memory>
#include <string>

namespace kq9soak {

class TSoakLine {
public:
    // `linkPath`: the path the program opens; `parameterFile`: defaults and limits of the units.
    TSoakLine(const std::string& linkPath, const std::string& parameterFile);

    // The units the line serves: the one the program works with, and one only a search finds.
    static constexpr int MainUnit = 0;
    static constexpr int OtherUnit = 7;

    // Starts serving; 0 or the errno of the failure.
    int Start();
    void Stop();
    TSimLine& Line() { return *FLine; }
    const std::string& LinkPath() const { return FLinkPath; }

    void Arm(int unit, const TSimFaults& faults);
    void Disarm(int unit);
    // How many more commands the armed faults apply to.
    int TimesLeft(int unit) const;

    // The cable pulled: the pty goes away, and so does the link.
    void Drop();
    bool Dropped() const { return FServer.LineDropped(); }
    // Plugged in again: a new pty behind the same link path; 0 or the errno of the failure.
    int Replug();

private:
    std::shared_ptr<TSimLine> FLine = std::make_shared<TSimLine>();
    std::string FLinkPath;
    TSimPtyServer FServer{FLine};
};

} // namespace kq9soak
