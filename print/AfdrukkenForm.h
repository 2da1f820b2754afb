#pragma once
// The common window of the two print-outs: it asks for the company, type and serial number of
// the page header, keeps them in the settings, shows the system print dialog and prints. It
// closes itself when the print has ended or the print dialog was cancelled.

#include "print/PageLayout.h"

#include "app/ActivatedDialog.h"

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
struct TTextKey;

class TFormAfdrukken : public TActivatedDialog {
public:
    ~TFormAfdrukken() override;

    QLabel* LabelFirma;
    QLabel* LabelType;
    QLabel* LabelSn;
    QLineEdit* EditFirma;
    QLineEdit* EditType;
    QLineEdit* EditSn;
    QPushButton* CmdOK;
    QPushButton* CmdCancel;

    // Reads the language texts and the header texts of the settings; each time it is shown.
    void FormActivate() override;
    // Hands the header texts to the settings and prints.
    void CmdOKClick();
    void CmdCancelClick() { reject(); }

    // The printer of the print-outs, made when first needed; it keeps the choices of the print
    // dialog from one print to the next.
    QPrinter& Printer();
    // Shows the system print dialog for the printer; true to print. Tests replace it, so that
    // they never wait on a dialog.
    std::function<bool(QPrinter& printer)> PrintDialog;

    // The page header the print-out gets: the labels as shown, the settings' texts, today.
    TPrintHeader Header() const;

protected:
    TFormAfdrukken(const TTextKey& caption, QWidget* parent);
    // Lays the print-out out for the printer's metrics.
    virtual TPrintDocument Layout(const TPrintMetrics& metrics, const TPrintHeader& header) = 0;

private:
    void CreateControls();
    bool ExecPrintDialog(QPrinter& printer);
    void Print();

    const TTextKey& FCaption;
    QString FPageWord;
    std::unique_ptr<QPrinter> FPrinter;
};
