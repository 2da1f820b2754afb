#pragma once
// The common window of the bulk read and the bulk write: a bold status panel, a progress bar and
// the buttons OK, Again and Cancel. It only shows its sequence: the sequence decides what the
// panel says, which buttons are enabled and when the window closes. The run starts each time the
// window is shown. There is no close box, and Escape does not close it: only OK (modal result
// mrOK) and Cancel (mrCancel) do.

#include "params/TransferSequence.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
struct TTextKey;

class TFormParSollTransfer : public QDialog {
public:
    QLabel* Panel1;
    QProgressBar* ProgressBar1;
    QPushButton* CmdOK;
    QPushButton* CmdAgain;
    QPushButton* CmdCancel;

    // Reads the language texts and starts the run; called each time the window is shown.
    void FormActivate();

protected:
    // `captions`: the window caption of each mode 0 … 3; `buttons`: the keys of OK, Again and
    // Cancel.
    TFormParSollTransfer(std::unique_ptr<TTransferSequence> sequence,
                         std::span<const TTextKey, 4> captions,
                         std::span<const TTextKey, 3> buttons, QWidget* parent);

    TTransferSequence& Transfer() { return *FSequence; }

    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void BindSequence();

    std::unique_ptr<TTransferSequence> FSequence;
    std::span<const TTextKey, 4> FCaptions;
    std::span<const TTextKey, 3> FButtons;
};
