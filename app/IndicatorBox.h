#pragma once
// A small box that shows the state of an input or output bit by its colour: blue when set,
// white when clear, the neutral colour while not monitored. The state is also its accessible
// description, for screen readers and accessibility-based tests.

#include <QLabel>

class TIndicatorBox : public QLabel {
public:
    enum class TState { Neutral, Set, Clear };

    // `what` names the bit in the accessible texts, for example "K0" or "input 2".
    TIndicatorBox(const QString& what, QWidget* parent);
    void SetState(TState state);
    TState State() const { return FState; }

private:
    QString FWhat;
    TState FState = TState::Neutral;
};
