#pragma once
// The setpoint list: the 48 setpoints of the store as number and raw value, under a title and
// the page header.

#include "print/PageLayout.h"

#include <QString>

#include <array>

// The number column padded on the right to 6 characters, three blanks, the value column padded
// on the left to 12.
QString InitSollwertHeader(const std::array<QString, 2>& columns);

TPrintDocument LayoutSollwertList(const TPrintMetrics& metrics, const TPrintHeader& header,
                                  const QString& title, const std::array<QString, 2>& columns);

// The list of the program, with the titles of the language.
TPrintDocument PrintSollwerten(const TPrintMetrics& metrics, const TPrintHeader& header);
