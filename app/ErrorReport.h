#pragma once
// The program's general error report: an exception that escapes an event handler is shown in a
// message box with its message, and the program keeps running.

#include <QApplication>

#include <functional>

class TKq9Application : public QApplication {
public:
    TKq9Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs a handler; an exception escaping it goes to the error report.
void RunGuarded(const std::function<void()>& handler);
// Shows an error message in a box owned by the active window.
void ReportError(const QString& message);
// Replaces the message box (tests); an empty function restores it.
void SetErrorReporter(std::function<void(const QString&)> reporter);
