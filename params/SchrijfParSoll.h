#pragma once
// TFormSchrijfParSoll: the modal dialog that writes parameters and/or setpoints to the selected
// controller and has it take the parameters over. The caller fills Sequence().ParBuffer and/or
// SollBuffer, sets Sequence().Mode and shows the dialog with exec(); mrOK means written.

#include "params/ParSollTransfer.h"
#include "params/SchrijfParSollSequence.h"

class TFormSchrijfParSoll : public TFormParSollTransfer {
public:
    // `port`: the main window's port, which carries the requests.
    explicit TFormSchrijfParSoll(TLBComm* port, QWidget* parent = nullptr);

    TSchrijfParSollSequence& Sequence() {
        return static_cast<TSchrijfParSollSequence&>(Transfer());
    }
};
