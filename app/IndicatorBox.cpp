#include "app/IndicatorBox.h"

#include "app/Colors.h"

TIndicatorBox::TIndicatorBox(const QString& what, QWidget* parent) : QLabel(parent), FWhat(what) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedSize(16, 16);
    setAccessibleName(what);
    SetState(TState::Neutral);
}

void TIndicatorBox::SetState(TState state) {
    FState = state;
    switch (state) {
    case TState::Neutral:
        SetBackground(this, NeutralColor());
        setAccessibleDescription(FWhat + " not monitored");
        break;
    case TState::Set:
        SetBackground(this, BitSetColor());
        setAccessibleDescription(FWhat + " on");
        break;
    case TState::Clear:
        SetBackground(this, BitClearColor());
        setAccessibleDescription(FWhat + " off");
        break;
    }
}
