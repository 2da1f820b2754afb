#pragma once
// What the parameter editor shows: the parameters of a page (a group or a subgroup of the group
// tree) in 18 rows of five columns, the selected row's limits in SelPar, and the changes the
// editor makes to the store besides single values (defaults, clearing a page). Read from the
// parameter store and the definitions; kq9ctl prints the same rows.

#include "params/ParamStore.h"

class TParamDefs;

#include <QString>

#include <array>
#include <cstdint>

constexpr int ParamPageRows = 18;

// The grid's columns.
enum TParamColumn {
    ColPositie, // group.subgroup.row, for example 2.3.5
    ColNummer,  // the number as three digits
    ColNaam,    // the name in the current language
    ColWaarde,  // the value as fixed-point text with the parameter's decimals
    ColOptie,   // a type 1 parameter's option text; empty for others
    ParamColumnCount
};

struct TParamRow {
    int32_t Parameter = -1; // -1: an empty row
    std::array<QString, ParamColumnCount> Cells;
};
using TParamPage = std::array<TParamRow, ParamPageRows>;

// Number, name, value and option text of parameter `nr` (0 … 399) from the store; no position.
// Without a definition the name and option stay empty and the value has no decimals. The
// definitions are the program's unless others are given.
TParamRow ParameterRow(int nr);
TParamRow ParameterRow(int nr, const TParamDefs& defs);
// The same for `value` in place of the store's value of the parameter.
TParamRow ParameterRow(int nr, int32_t value, const TParamDefs& defs);

// The position of row `row` (from 1) of a page: group.subgroup.row, for example 2.3.5.
QString PagePosition(int groep, int subgroep, int row);

// The rows of page (groep, subgroep), row r from "ParId" r of section groep × 100 + subgroep of
// the page table. Every row is empty unless both definition files are loaded.
TParamPage FillParamPage(int groep, int subgroep);

// Whether the page table has a section for the page.
bool PageDefined(int groep, int subgroep);

// The row's five cells separated by tabs, as kq9ctl prints a row.
QString ParamRowLine(const TParamRow& row);

// Selects the parameter of `row` into `selPar`: its number and name, its value and limits as
// fixed-point texts. An empty row leaves every field empty. The result is the parameter's
// decimals code (0 for an empty row).
int32_t SelectParamRow(const TParamRow& row, TSelPar& selPar);

// Every parameter gets the default of its definition (0 when it has none), and the set counts as
// defaulted. False, with the store unchanged, when Parameters.txt is not loaded.
bool LoadDefaultParameters(TParamStore& store);

// Every parameter shown on the page becomes 0.
void ClearPageParameters(const TParamPage& page, TParamStore& store);
