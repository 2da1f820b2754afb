#pragma once
// The parameter definitions ("Parameters.txt": name, type, option lists, decimals code, limits
// and default of each parameter, per language) and the page table ("ParNo.txt": which parameter
// stands in which row of which editor page), held in memory, with the lookups every window uses.
// Both files follow the definition-file rules of params/DefIniFile.h. Their texts are UTF-8, or
// Windows-1252 in older files.

#include "params/DefIniFile.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The option text shown for a value that is no index of the option list.
inline const QString NoOptionText = QStringLiteral("########");

// The section of parameter `nr`: its number with at least three digits ("007").
QString ParameterSection(int nr);
// The page table's section of a page: group × 100 + subgroup.
constexpr int PageId(int groep, int subgroep) {
    return groep * 100 + subgroep;
}

class TParamDefs {
public:
    // Each replaces the copy in memory when the file exists and can be read, else empties it;
    // the result is the new state of the flag.
    bool LoadParameterDefs(const QString& path);
    bool LoadParamNo(const QString& path);
    // Releases both files at program end.
    void Free();

    bool ParameterDefGeladen() const { return FParameterDefGeladen; }
    bool ParamNoGeladen() const { return FParamNoGeladen; }
    const TDefIniFile& ParameterDefIni() const { return FParameterDefIni; }
    const TDefIniFile& ParamNoIni() const { return FParamNoIni; }

    // A section holding at least one line. A parameter without one has no name, no options and
    // 0 decimals.
    bool HasDefinition(int nr) const;
    // Key "naam" + language digit; empty when absent. Without `taal`: GlobalVar().Taal.
    QString Naam(int nr) const;
    QString Naam(int nr, int taal) const;
    // Key "type": 0 a number, 1 an index into the option list.
    int32_t Type(int nr) const;
    // Key "opties" + language digit split as a comma text. When that list, joined again, begins
    // with "#", the rest names a section whose list of the same key replaces it; that list is
    // taken as it is, never followed a second time.
    QStringList Opties(int nr) const;
    QStringList Opties(int nr, int taal) const;
    // Item `value` of the option list, or NoOptionText when the value is no index of it.
    QString OptieTekst(int nr, int32_t value) const;
    QString OptieTekst(int nr, int32_t value, int taal) const;
    // Decimals code (0 … 8 literal, 9 and 10 from parameters 203 and 248), limits and default;
    // 0 when absent or not a number.
    int32_t Dec(int nr) const;
    int32_t Min(int nr) const;
    int32_t Max(int nr) const;
    int32_t Default(int nr) const;

    // The parameter in row `row` (from 1) of a page, or -1 for an empty row: a missing key, -1,
    // anything that is no number and any number outside the store (0 … 399).
    int32_t PageRow(int pageId, int row) const;

private:
    QString Text(const QString& section, const QString& key) const;
    int32_t Integer(int nr, const char* key) const;

    TDefIniFile FParameterDefIni;
    TDefIniFile FParamNoIni;
    bool FParameterDefGeladen = false;
    bool FParamNoGeladen = false;
};

// The program-wide instance.
TParamDefs& ParamDefs();

// The option text of the store's value of parameter `nr`, from the program-wide definitions;
// empty when they are not loaded or the value is no index of the list. For windows that show the
// text alone, where "########" would read as a value.
QString StoreOptionText(int nr);

// Load "Parameters.txt" and "ParNo.txt" from ProgramPath into the program-wide instance.
void ParameterDef_lezen();
void ParamNo_lezen();
