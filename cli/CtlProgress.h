#pragma once
// Progress of a long run on stderr: on a terminal a bar redrawn in place with the count and the
// percentage, otherwise a plain line at every tenth, so that logs stay short.

#include <ostream>
#include <string>

class TCtlProgress {
public:
    TCtlProgress(std::ostream& out, bool terminal, std::string label, int total);
    // `done` of the total are done.
    void Update(int done);
    // Ends the bar's line; nothing for plain lines.
    void Finish();

private:
    std::ostream& FOut;
    bool FTerminal;
    std::string FLabel;
    int FTotal;
    int FLastShown = -1; // the last tenth (plain) or count (terminal) shown
    bool FDrawn = false;
};
