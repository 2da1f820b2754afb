// The definition-file reader: the parameter definitions and the page table of one input (the
// two files separated by a line "--ParNo--"), read as the program and the simulated line read
// them, with every lookup the windows make of the parameters and pages the files name.

#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "sim/SimParameterTable.h"

#include <set>

namespace {

// The numbers of the sections named "000" … "399" or "101" …: the parameters and pages the
// file describes (the first 64 of them), and a few the windows always ask for.
std::set<int> Numbers(const TDefIniFile& file, std::set<int> numbers) {
    for (const std::string& name : file.SectionNames()) {
        if (numbers.size() >= 64)
            break;
        int32_t number = 0;
        if (ParseDefInteger(name, number) && number >= 0 && number < 100000)
            numbers.insert(number);
    }
    return numbers;
}

void CheckParameter(const TParamDefs& defs, int nr) {
    defs.HasDefinition(nr);
    defs.Type(nr);
    defs.Dec(nr);
    defs.Min(nr);
    defs.Max(nr);
    defs.Default(nr);
    for (int taal = 0; taal < 3; ++taal) {
        defs.Naam(nr, taal);
        const QStringList options = defs.Opties(nr, taal);
        for (int32_t value : {-1, 0, 1, static_cast<int32_t>(options.size()) - 1,
                              static_cast<int32_t>(options.size())}) {
            const QString text = defs.OptieTekst(nr, value, taal);
            FUZZ_CHECK(text ==
                       (value >= 0 && value < options.size() ? options[value] : NoOptionText));
        }
    }
}

} // namespace

KQ9_FUZZ_TARGET(def_ini) {
    const std::vector<QByteArrayView> files = SplitFuzzInput(FuzzBytes(data, size), "--ParNo--", 2);
    TParamDefs defs;
    FUZZ_CHECK(defs.LoadParameterDefs(WriteFuzzFile(QStringLiteral("Parameters.txt"), files[0])));
    FUZZ_CHECK(defs.LoadParamNo(WriteFuzzFile(QStringLiteral("ParNo.txt"), files[1])));

    for (int nr : Numbers(defs.ParameterDefIni(), {0, 203, 248, 399}))
        if (nr < ParameterCount)
            CheckParameter(defs, nr);

    for (int page : Numbers(defs.ParamNoIni(), {101})) {
        for (int row = 1; row <= 30; ++row) {
            int32_t nr = defs.PageRow(page, row);
            FUZZ_CHECK(nr == -1 || (nr >= 0 && nr < ParameterCount));
        }
    }

    // The simulated line takes its defaults and limits from the same file.
    TDefIniFile file;
    file.LoadFromText(std::string_view(files[0].data(), static_cast<size_t>(files[0].size())));
    TSimParameterTable table;
    table.Load(file);
    for (int nr = 0; nr < TSimParameterTable::Count; ++nr)
        FUZZ_CHECK(table.Def(nr).Min <= table.Def(nr).Max);
}
