#include "SoakLine.h"

namespace kq9soak {

TSoakLine::TSoakLine(const std::string& linkPath, const std::string& parameterFile)
    : FLinkPath(linkPath) {
    FLine->LoadParameterFile(parameterFile);
    FLine->AddUnit(MainUnit);
    FLine->AddUnit(OtherUnit);
    FServer.SetLinkPath(linkPath);
}

int TSoakLine::Start() {
    return FServer.Start();
}

void TSoakLine::Stop() {
    FServer.Stop();
}

void TSoakLine::Arm(int unit, const TSimFaults& faults) {
    FLine->Configure(unit, [&](TSimUnit& u) { u.Faults = faults; });
}

void TSoakLine::Disarm(int unit) {
    FLine->Configure(unit, [](TSimUnit& u) { u.Faults = {}; });
}

int TSoakLine::TimesLeft(int unit) const {
    auto u = FLine->Unit(unit);
    return u ? u->Faults.Times : 0;
}

void TSoakLine::Drop() {
    FServer.DropLine();
}

int TSoakLine::Replug() {
    FServer.Stop();
    return FServer.Start();
}

} // namespace kq9soak
