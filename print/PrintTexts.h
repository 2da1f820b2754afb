#pragma once
// The language texts of the print-outs, shared by the print windows and kq9ctl: without a
// language file the labels keep their built-in captions and every other text is empty.

#include "print/PageLayout.h"

#include <QString>

#include <array>

// The captions of the header labels the print windows are built with.
std::array<QString, 3> BuiltAfdrukLabels();
// The captions of the language, or the built ones without a language file.
std::array<QString, 3> AfdrukLabels();
QString PageWordText();
// The titles of the parameter list's five columns and of the setpoint list's two.
std::array<QString, 5> ParameterColumnTexts();
std::array<QString, 2> SollwertColumnTexts();
QString SollwertTitle();

// Today in the system's short date format.
QString TodayText();
// A header with these labels, the texts of the settings, today and the page word.
TPrintHeader PrintHeaderFromSettings(const std::array<QString, 3>& labels);
