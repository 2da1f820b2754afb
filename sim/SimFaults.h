#pragma once
// Fault knobs of a simulated unit, for tests: they change how (and whether) the unit answers
// the commands they apply to.

#include <string>

struct TSimFaults {
    // The knobs apply to commands that begin with this text ("rt", "rp 17"; words separated by
    // one blank); empty: to all.
    std::string AppliesTo;
    // How many more matching commands they apply to; -1: every one.
    int Times = -1;

    bool Silent = false;      // no answer at all; the command is not carried out
    int RefuseWith = 0;       // answer "er n" instead; the command is not carried out
    int FirstByteDelayMs = 0; // pause before the first byte of the answer
    int ChunkSize = 0;        // send the answer in pieces of this many bytes; 0: at once
    int ChunkGapMs = 0;       // pause between the pieces
    bool NoEcho = false;      // leave out the command's two letters and the blank
    int CutAfter = -1;        // send only the first n bytes of the answer; -1: all
    bool LongReply = false;   // pad the answer to more than 100 bytes
    int Garbage = 0;          // line noise of this many bytes instead of the answer: no digits,
                              // no line end (the command is carried out, its answer is lost)
    bool Endless = false;     // after the answer, filler without a pause until the next command
    int DropLineAfterMs = -1; // that long after the answer, the line goes dead; -1: never
};
