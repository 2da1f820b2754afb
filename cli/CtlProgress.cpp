#include "cli/CtlProgress.h"

#include <algorithm>

namespace {

constexpr int BarWidth = 30;

} // namespace

TCtlProgress::TCtlProgress(std::ostream& out, bool terminal, std::string label, int total)
    : FOut(out), FTerminal(terminal), FLabel(std::move(label)), FTotal(std::max(total, 1)) {}

void TCtlProgress::Update(int done) {
    done = std::clamp(done, 0, FTotal);
    int percent = done * 100 / FTotal;
    if (FTerminal) {
        if (done == FLastShown)
            return;
        int filled = done * BarWidth / FTotal;
        FOut << '\r' << FLabel << " [" << std::string(static_cast<size_t>(filled), '#')
             << std::string(static_cast<size_t>(BarWidth - filled), '.') << "] " << done << '/'
             << FTotal << ' ' << percent << '%' << std::flush;
        FLastShown = done;
        FDrawn = true;
        return;
    }
    int tenth = percent / 10;
    if (tenth == FLastShown)
        return;
    FOut << FLabel << ": " << done << '/' << FTotal << " (" << percent << "%)\n" << std::flush;
    FLastShown = tenth;
}

void TCtlProgress::Finish() {
    if (FDrawn)
        FOut << '\n' << std::flush;
    FDrawn = false;
}
