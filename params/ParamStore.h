#pragma once
// The working copy of the controller's parameters and setpoints, shared by every window. Values
// are raw integers exactly as the device holds them (a value with d decimals times 10^d).

#include <QString>

#include <array>
#include <cstdint>

constexpr int ParameterCount = 400; // parameters 0 … 399
constexpr int SetpointCount = 48;   // setpoints 1 … 48
constexpr int ThumbwheelCount = 4;  // thumbwheels 1 … 4

// The parameter selected in the parameter editor, with its limits as fixed-point texts.
struct TSelPar {
    QString Nummer; // three digits ("%3.3d"), also the section name of the definitions
    QString Naam;
    QString Waarde;
    QString MinTekst;
    int32_t Min = 0;
    QString MaxTekst;
    int32_t Max = 0;
    QString DefaultTekst;
};

// Where a set came from. Readers only test none against any other value.
namespace Bron {
constexpr int32_t None = 0;
constexpr int32_t Device = 1;
constexpr int32_t File = 2;
constexpr int32_t Defaults = 3;
} // namespace Bron

struct TParamStore {
    std::array<int32_t, ParameterCount> ParData{};
    // Index 0 is unused so that setpoint n is SollData[n].
    std::array<int32_t, SetpointCount + 1> SollData{};
    int32_t ParBron = Bron::None;
    int32_t SollBron = Bron::None;
    // Index 0 is unused so that thumbwheel n is DuimwielWaarde[n].
    std::array<int32_t, ThumbwheelCount + 1> DuimwielWaarde{};
    TSelPar SelPar;
};

// The program-wide instance.
TParamStore& ParamStore();
