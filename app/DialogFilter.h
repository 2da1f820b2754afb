#pragma once
// File-dialog filters as the language files write them, "Description (*.app)|*.app|All|*.*",
// turned into Qt's name filters, "Description (*.app);;All (*.*)". A text without "|" is a list
// of patterns on its own ("*.bak").

#include <QString>

QString QtNameFilter(const QString& filter);
