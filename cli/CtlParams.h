#pragma once
// What kq9ctl's single-parameter commands share: the parameter number argument, the texts and
// definitions of the program folder, and reading parameters from the unit into the store, where
// the program's own number texts and validation find them.

#include <cstdint>
#include <string>

class TCtlPort;

// A parameter number 0 … 399; false (with a message on stderr) for anything else.
bool ParseParameterNumber(const std::string& text, const char* command, int& nr);

// Loads the parameter definitions and the page table from the data folder (set up, with the
// language file, by TCtlPort).
void LoadParameterTexts();

// Reads parameter `nr` of the selected unit into the store. Success, or the exit code of the
// failure (a reply that is no value of it: Unexpected), reported on stderr.
int ReadUnitParameter(TCtlPort& port, int nr, int32_t& value);

// A parameter whose decimals code takes its decimals from parameters 203 and 248 (codes 9 and
// 10) needs both read from the unit first; other parameters need nothing.
bool NeedsUnitDecimals(int nr);
int ReadUnitDecimals(TCtlPort& port);

// The line get-param prints: the number, the value with its decimals, the option text of an
// option parameter and the name, separated by tabs.
std::string ParameterLine(int nr);
