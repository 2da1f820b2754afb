#pragma once
// The device search on the line: for every combination of unit, parity, stop bits and rate it
// selects the unit ("sc n"); a unit that echoes its selection is asked for its three type texts
// ("rt", "rh", "rx") and reported as found, and the run pauses there until it is continued.
// Exactly one request is outstanding while a run goes on: each is sent from the event of the
// one before. The search window shows it and kq9ctl scan runs it; both see it through the
// events below. Every handler runs on the UI thread.

#include "app/ApparaatZoekenSteps.h"
#include "comm/CommExceptions.h"
#include "comm/LD100Protocol.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class TLBComm;

// Which of the window's controls can be used.
struct TSearchControls {
    bool Start = true;
    bool Stop = false;
    bool Verder = false;
    bool OK = false;
    bool Options = true; // the rate list and the four parity and stop-bit buttons

    friend bool operator==(const TSearchControls&, const TSearchControls&) = default;
};

enum class TSearchState {
    Idle,      // nothing started since the window was opened
    Searching, // a request is outstanding
    Found,     // paused on a unit that was just listed
    Stopped,   // stopped by the user
    Finished,  // gone round every rate
    LineLost,  // the device vanished (system error 995); the port has been closed
    Refused,   // the device refused a line setting; continuing goes on past it
};

class TApparaatZoekenSequence {
public:
    explicit TApparaatZoekenSequence(TLBComm* port);

    TLD100Protocol LD100ApparaatZoeken;
    TLD100Protocol ASCIILeesTypeInfo;

    // The rate, units and automatic settings of a run. The start rate and units are read at the
    // first step of a run, the automatic settings at every step.
    TSearchOptions Options;

    // Each time the window is shown: reads the status texts, remembers the port's rate, parity
    // and stop bits, and resets the run.
    void FormActivate();
    // Starts a run; opens the port if it is closed. A port that cannot be opened, or a line
    // setting the device refuses, throws (see ApplyToPort) and leaves the window usable.
    void CmdStartZoekenClick();
    // The run stops at the next reply or error.
    void CmdStopClick() { FStop = true; }
    // Goes on from the current unit and settings, or past the setting the device refused.
    void CmdVerderClick();
    // Closes the port and gives it back the rate, parity and stop bits it had on activation.
    void CmdCancelClick();
    // Closes the port and sets it to the rate, parity and stop bits of a found unit's row texts
    // (FoundUnitTexts); a text that names no setting leaves that setting as it is.
    void TakeOverRow(const QStringList& cells);

    TSearchState State() const { return FState; }
    const TSearchControls& Controls() const { return FControls; }
    int Unit() const { return FUnit; }
    const TSearchPoint& Remembered() const { return FRemembered; }
    // The units listed since the run started.
    int FoundCount() const { return FFoundCount; }

    std::function<void(const QString& text)> OnStatus;
    // The combination that is being tried.
    std::function<void(const TSearchPoint& point)> OnPoint;
    std::function<void(const TSearchControls& controls)> OnControls;
    // A unit answered its selection and its three type queries.
    std::function<void(const TFoundUnit& found)> OnFound;
    // The device vanished during the run; the window says so in a message box.
    std::function<void()> OnLineLost;

    void LD100ApparaatZoekenCommResult(TMemoryStream& result);
    void ASCIILeesTypeInfoCommResult(TMemoryStream& result);
    void LD100ApparaatZoekenCommError(const TCommError& error);

private:
    void SearchStep();
    // The first step of a run: its options, its first combination and the port opened.
    TSearchPoint StartRun();
    void RunFinished();
    void ShowStopped(TSearchState state);
    void ShowStatus(const QString& text);
    void SetControls(const TSearchControls& controls);
    TSearchPoint PortPoint() const;
    // Puts the point's settings on the port. One the device refuses stops the run as Stop
    // would, and throws ECommInitError naming the setting; continuing then skips it (a refused
    // rate with every unit at it).
    void ApplyToPort(const TSearchPoint& point);
    void Refuse(const TSearchPoint& point, const ECommInitError& error);

    TLBComm* FPort;
    QStringList FPanelTekst;
    bool FStart = false;
    bool FStop = false;
    int FUnit = 0;
    TBaudrate FStartRate = TBaudrate::br9600;
    TSearchPoint FRemembered;
    // Where the next step goes on from, instead of the port's settings: the refused point.
    std::optional<TSearchPoint> FResume;
    int FTypeStep = 0;
    QString FTypeText;
    int FFoundCount = 0;
    TSearchState FState = TSearchState::Idle;
    TSearchControls FControls;
};
