#pragma once
// Handing one parameter to the service-parameter dialog: the selected-parameter record of the
// store filled from the parameter's value and definition.

struct TSelPar;

// SelPar for parameter `nr`: its three-digit number, its name (when the definitions hold it),
// its value, limits and default as fixed-point texts with its own decimals code.
TSelPar SelParOf(int nr);
