#pragma once
// The pictures kq9-screenshots renders. Each window's pictures live in a file of their own
// (Shots<Window>.cpp) that registers one function with KQ9_SHOTS; the program calls every
// registered function once per language, in the order of their `order` numbers, with the main
// window shown. The main window's own pictures come first (order 0): they open the port on the
// simulated line and switch the live view off again, so every later function finds the port open
// and the line quiet. A function leaves the main window as it found it.

#include <QDir>
#include <QString>

#include <functional>

class QDialog;
class QWidget;
class TFormMain;

struct TShotContext {
    QDir Out;
    TFormMain* Main = nullptr;
    int Taal = 0;
    bool Ok = true;

    // Grabs `window` into OUT/<name>_taal<Taal>.png; a failure is counted, not thrown.
    void Save(QWidget& window, const QString& name);
    // Shows `dialog` modally, runs `whileShown` after `delayMs`, which must close it.
    void WhileModal(QDialog& dialog, int delayMs, const std::function<void()>& whileShown);
};

// Processes events for the whole period, so that the simulated line answers meanwhile.
void ProcessFor(int ms);

using TShotFunction = void (*)(TShotContext& context);

struct TShotRegistration {
    TShotRegistration(int order, const char* name, TShotFunction function);
};

#define KQ9_SHOTS(order, name, function)                                                          \
    static const TShotRegistration kq9ShotRegistration_##function(order, name, function)
