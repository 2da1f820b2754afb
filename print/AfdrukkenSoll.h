#pragma once
// TFormAfdrukkenSoll: prints the 48 setpoints of the store.

#include "print/AfdrukkenForm.h"

class TFormAfdrukkenSoll : public TFormAfdrukken {
public:
    explicit TFormAfdrukkenSoll(QWidget* parent = nullptr);

protected:
    TPrintDocument Layout(const TPrintMetrics& metrics, const TPrintHeader& header) override;
};
