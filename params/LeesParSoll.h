#pragma once
// TFormLeesParSoll: the modal dialog that reads the parameters and/or setpoints of the selected
// controller. The caller sets Sequence().Mode, shows the dialog with exec(), and on mrOK takes
// Sequence().ParBuffer and SollBuffer; the dialog never touches the parameter store.

#include "params/LeesParSollSequence.h"
#include "params/ParSollTransfer.h"

class TFormLeesParSoll : public TFormParSollTransfer {
public:
    // `port`: the main window's port, which carries the requests.
    explicit TFormLeesParSoll(TLBComm* port, QWidget* parent = nullptr);

    TLeesParSollSequence& Sequence() { return static_cast<TLeesParSollSequence&>(Transfer()); }
};
