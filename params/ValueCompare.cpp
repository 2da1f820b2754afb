#include "params/ValueCompare.h"

#include "app/Functies.h"
#include "params/EditParamPage.h"
#include "params/ParamDefs.h"

#include <QStringList>

#include <algorithm>

int CompareValueCount(TCompareKind kind) {
    return kind == TCompareKind::Parameters ? ParameterCount : SetpointCount;
}

int FirstCompareNumber(TCompareKind kind) {
    return kind == TCompareKind::Parameters ? 0 : 1;
}

std::span<const int32_t> StoreValues(TCompareKind kind, const TParamStore& store) {
    if (kind == TCompareKind::Parameters)
        return store.ParData;
    return store.SollData;
}

std::vector<TCompareRow> CompareValues(TCompareKind kind, std::span<const int32_t> values,
                                       std::span<const int32_t> other) {
    std::vector<TCompareRow> rows;
    const int first = FirstCompareNumber(kind);
    const int end = first + CompareValueCount(kind);
    for (int n = first; n < end && static_cast<size_t>(n) < std::min(values.size(), other.size());
         ++n) {
        auto i = static_cast<size_t>(n);
        if (values[i] != other[i])
            rows.push_back({n, values[i], other[i], false});
    }
    return rows;
}

TCompareCells CompareRowCells(TCompareKind kind, const TCompareRow& row, const TParamDefs& defs) {
    TCompareCells cells;
    if (kind == TCompareKind::Setpoints) {
        cells[CmpNummer] = QString::number(row.Number);
        cells[CmpWaarde] = IntToFixedText(DecimalsOfPosition, row.Value);
        cells[CmpAndereWaarde] = IntToFixedText(DecimalsOfPosition, row.Other);
        return cells;
    }
    const TParamRow ours = ParameterRow(row.Number, row.Value, defs);
    const TParamRow theirs = ParameterRow(row.Number, row.Other, defs);
    cells[CmpNummer] = ours.Cells[ColNummer];
    cells[CmpNaam] = ours.Cells[ColNaam];
    cells[CmpWaarde] = ours.Cells[ColWaarde];
    cells[CmpOptie] = ours.Cells[ColOptie];
    cells[CmpAndereWaarde] = theirs.Cells[ColWaarde];
    cells[CmpAndereOptie] = theirs.Cells[ColOptie];
    return cells;
}

bool CompareColumnUsed(TCompareKind kind, int column) {
    if (kind == TCompareKind::Parameters)
        return column >= 0 && column < CompareColumnCount;
    return column == CmpNummer || column == CmpWaarde || column == CmpAndereWaarde;
}

QString CompareRowLine(TCompareKind kind, const TCompareRow& row, const TParamDefs& defs) {
    const TCompareCells cells = CompareRowCells(kind, row, defs);
    QStringList used;
    for (int c = 0; c < CompareColumnCount; ++c)
        if (CompareColumnUsed(kind, c))
            used << cells[static_cast<size_t>(c)];
    return used.join(u'\t');
}

void TValueComparison::Compare(TCompareKind kind, std::span<const int32_t> other, int32_t origin,
                               const TParamStore& store) {
    FKind = kind;
    FOrigin = origin;
    FOther.assign(other.begin(), other.end());
    FRows = CompareValues(kind, StoreValues(kind, store), FOther);
}

void TValueComparison::TickAll(bool ticked) {
    for (TCompareRow& row : FRows)
        row.Ticked = ticked;
}

int TValueComparison::TickedCount() const {
    return static_cast<int>(std::count_if(FRows.begin(), FRows.end(),
                                          [](const TCompareRow& row) { return row.Ticked; }));
}

void TValueComparison::TakeTicked(TParamStore& store) {
    int32_t* values =
        FKind == TCompareKind::Parameters ? store.ParData.data() : store.SollData.data();
    for (TCompareRow& row : FRows) {
        if (!row.Ticked)
            continue;
        values[row.Number] = row.Other;
        row.Value = row.Other;
    }
    if (!CompareValues(FKind, StoreValues(FKind, store), FOther).empty())
        return;
    (FKind == TCompareKind::Parameters ? store.ParBron : store.SollBron) = FOrigin;
}

std::vector<TCompareValue> TValueComparison::TickedValues() const {
    std::vector<TCompareValue> values;
    for (const TCompareRow& row : FRows)
        if (row.Ticked)
            values.push_back({row.Number, row.Value});
    return values;
}

void TValueComparison::Sent(const TCompareValue& value) {
    for (TCompareRow& row : FRows) {
        if (row.Number != value.Number)
            continue;
        row.Ticked = false;
        if (FOrigin == Bron::Device) {
            row.Other = value.Value;
            FOther[static_cast<size_t>(value.Number)] = value.Value;
        }
    }
}
