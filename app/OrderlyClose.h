#pragma once
// Ends the program on a request from outside (a signal: the session ending, a kill, Ctrl+C) as
// the main window's close box would, once. The close box cannot be reached while a modal window
// is in front, so such windows are closed first, innermost first, as Cancel would close them:
// whatever waited for one goes on and returns before the main window closes, so nothing opened
// for it (the port a search reopens, the poll the log graph restarts) outlives the close.

#include <QTimer>

class QWidget;

class TOrderlyClose {
public:
    explicit TOrderlyClose(QWidget& mainWindow);

    // Starts closing; a request while one is under way changes nothing.
    void Request();
    bool Requested() const { return FRequested; }

private:
    void Step();

    QWidget& FMainWindow;
    QTimer FTimer;
    bool FRequested = false;
};
