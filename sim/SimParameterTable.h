#pragma once
// Defaults and limits of the 400 parameters, taken from a parameter definition file
// (Parameters.txt: section "000" … "399", keys "default", "min", "max"). A parameter the file
// does not describe, or a limit it leaves out, is 0 and unlimited.

#include "params/DefIniFile.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

struct TSimParameterDef {
    int32_t Default = 0;
    int32_t Min = std::numeric_limits<int32_t>::min();
    int32_t Max = std::numeric_limits<int32_t>::max();
};

class TSimParameterTable {
public:
    static constexpr int Count = 400;

    // False when the file cannot be read; the table is then unchanged.
    bool LoadFromFile(const std::string& path);
    void Load(const TDefIniFile& file);

    // Parameter `number` must be 0 … 399.
    const TSimParameterDef& Def(int number) const { return FDefs[number]; }
    bool Accepts(int number, int64_t value) const;

private:
    std::array<TSimParameterDef, Count> FDefs{};
};
