#include "sim/SimParameterTable.h"

#include <cstdio>

bool TSimParameterTable::LoadFromFile(const std::string& path) {
    TDefIniFile file;
    if (!file.LoadFromFile(path))
        return false;
    Load(file);
    return true;
}

void TSimParameterTable::Load(const TDefIniFile& file) {
    for (int number = 0; number < Count; ++number) {
        char section[8];
        std::snprintf(section, sizeof section, "%3.3d", number);
        TSimParameterDef def;
        def.Default = file.ReadInteger(section, "default", def.Default);
        def.Min = file.ReadInteger(section, "min", def.Min);
        def.Max = file.ReadInteger(section, "max", def.Max);
        // Limits the wrong way round would refuse every value; such a definition is taken as
        // giving no limits at all.
        if (def.Min > def.Max)
            def = TSimParameterDef{def.Default};
        FDefs[number] = def;
    }
}

bool TSimParameterTable::Accepts(int number, int64_t value) const {
    return value >= FDefs[number].Min && value <= FDefs[number].Max;
}
