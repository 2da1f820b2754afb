#pragma once
// The print commands of kq9ctl: a parameter or setpoint list written to a PDF file from the same
// layout the print windows print, for documentation without a printer.

#include "cli/CtlOptions.h"
#include "print/PainterPrint.h"

#include <functional>
#include <string>

// Runs a print command: `command` FILE --pdf OUT.pdf [--firma T] [--type T] [--sn T].
// The settings, language and definitions are read as the program reads them; header texts not
// given come from the settings. `readFile` puts the file's values into the store (a ctl exit
// code); `layout` lays out the list for the PDF's metrics and may report a message on stderr.
int RunPrintCommand(const TCtlOptions& options, const char* command,
                    const std::function<int(const std::string& path)>& readFile,
                    const TPrintLayoutFunction& layout);
