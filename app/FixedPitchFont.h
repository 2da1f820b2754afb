#pragma once
// The fixed-pitch face of the windows' value grids and fields: "Courier New", which fontconfig
// matches with a metric-compatible family; the style hint keeps it fixed-pitch where even that
// is missing.

#include <QFont>

// The face at the size of `base`, bold or not.
QFont FixedPitchFont(const QFont& base, bool bold = false);
