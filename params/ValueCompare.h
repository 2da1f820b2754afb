#pragma once
// Comparing one set of parameters or setpoints with another of the same kind: the values that
// differ, each shown as the editors show it (number, name, value with its decimals, option
// text). The compare window holds the store against a set read from the controller or from a
// file; kq9ctl diff prints the same rows for any two sets.

#include "params/ParamStore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class TParamDefs;

enum class TCompareKind { Parameters, Setpoints };

// The columns of a row: the number, the name, then the value and option text of each set.
// Setpoints have neither a name nor option texts.
enum TCompareColumn {
    CmpNummer,
    CmpNaam,
    CmpWaarde,
    CmpOptie,
    CmpAndereWaarde,
    CmpAndereOptie,
    CompareColumnCount
};

struct TCompareRow {
    int Number = 0;      // parameter 0 … 399 or setpoint 1 … 48
    int32_t Value = 0;   // of the first set (the store in the window)
    int32_t Other = 0;   // of the second set
    bool Ticked = false; // chosen in the window
};

using TCompareCells = std::array<QString, CompareColumnCount>;

// The number of values of a kind, and the number of the first.
int CompareValueCount(TCompareKind kind);
int FirstCompareNumber(TCompareKind kind);
// The values of a kind in the store, indexed by number (setpoints from index 1).
std::span<const int32_t> StoreValues(TCompareKind kind, const TParamStore& store);

// Every number whose values differ, ascending. Both spans are indexed by number, as the store's
// arrays are (a setpoint span has an unused entry 0).
std::vector<TCompareRow> CompareValues(TCompareKind kind, std::span<const int32_t> values,
                                       std::span<const int32_t> other);

// The cells of a row. Decimals codes 9 and 10 take their decimals from the store, so both values
// read as the editor would show them; setpoints always have code 9.
TCompareCells CompareRowCells(TCompareKind kind, const TCompareRow& row, const TParamDefs& defs);
// Whether a kind shows the column at all.
bool CompareColumnUsed(TCompareKind kind, int column);
// The cells of the columns the kind shows, separated by tabs: a line of kq9ctl diff.
QString CompareRowLine(TCompareKind kind, const TCompareRow& row, const TParamDefs& defs);

// A value to be written to the controller.
struct TCompareValue {
    int Number = 0;
    int32_t Value = 0;
};

// What the compare window shows and does: the store against another set that came from the
// controller or a file, the rows that differ with their ticks, and the ticked rows taken into
// the store or written to the controller.
class TValueComparison {
public:
    // Compares the store's set of `kind` with `other` (indexed by number), which came from
    // `origin` (Bron::Device or Bron::File). No row is ticked.
    void Compare(TCompareKind kind, std::span<const int32_t> other, int32_t origin,
                 const TParamStore& store);

    TCompareKind Kind() const { return FKind; }
    int32_t Origin() const { return FOrigin; }
    std::vector<TCompareRow>& Rows() { return FRows; }
    const std::vector<TCompareRow>& Rows() const { return FRows; }

    void TickAll(bool ticked);
    int TickedCount() const;

    // The other set's values of the ticked rows become the store's, and those rows then show
    // the same value twice. When the store then holds the whole other set, the set counts as
    // coming from where the other came from (received, or opened from a file).
    void TakeTicked(TParamStore& store);
    // The store's value of every ticked row, in the order of the rows.
    std::vector<TCompareValue> TickedValues() const;
    // The controller took `value`: the row loses its tick, and when the other set is the
    // controller's it now shows that value on both sides.
    void Sent(const TCompareValue& value);

private:
    TCompareKind FKind = TCompareKind::Parameters;
    int32_t FOrigin = Bron::None;
    std::vector<int32_t> FOther;
    std::vector<TCompareRow> FRows;
};
