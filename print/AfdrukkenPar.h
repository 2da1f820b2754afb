#pragma once
// TFormAfdrukkenPar: prints the parameter list of the store, organised like the parameter
// editor's pages.

#include "print/AfdrukkenForm.h"

class TFormAfdrukkenPar : public TFormAfdrukken {
public:
    explicit TFormAfdrukkenPar(QWidget* parent = nullptr);

protected:
    TPrintDocument Layout(const TPrintMetrics& metrics, const TPrintHeader& header) override;
};
