#pragma once
// A log graph's buffer with every one of its 4001 slots filled, one sample every 60 ms: what
// the graph holds at the end of a long recording, the most it ever has to draw from.

#include "calib/GrafiekRecorder.h"

TLogBuffer FullLogBuffer();
