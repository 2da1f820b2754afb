#pragma once
// The program modes of the figures benchmark: each runs the program's windows offscreen in a
// process of its own, takes one kind of figure and prints it on stdout.

#include <string>

// The main window made and shown as the program starts; prints "shown" once it is.
int RunStartupMode(char* program, const std::string& home);
// Every window opened once, then the log graph's redraw per sample with a full buffer; prints
// "redraw <ms>" (the slowest time scale's mean).
int RunWindowsMode(char* program, const std::string& home);
// The port opened on COM1 and every live group switched on; prints "live <cpu ms> <wall ms>"
// for `seconds` of monitoring after a warm-up.
int RunLiveMode(char* program, const std::string& home, int seconds);
