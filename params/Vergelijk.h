#pragma once
// TFormVergelijk: the modal window that lists every value in which the store differs from the
// controller or from a parameter or setpoint file, with a tick box per row. The ticked rows are
// taken into the store (the other set's values become the store's) or sent to the controller
// (the store's values, "wp" each and one take-over "bp" for parameters, "ws" each for
// setpoints), with the status texts of the service-parameter dialog. The editors open it after
// reading the other set.

#include "app/ActivatedDialog.h"
#include "params/CompareSendSequence.h"
#include "params/ValueCompare.h"

#include <functional>
#include <span>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class TLBComm;

class TFormVergelijk : public TActivatedDialog {
public:
    // `port`: the main window's port; sending needs it open.
    explicit TFormVergelijk(TLBComm* port, QWidget* parent = nullptr);

    QLabel* LabelVerschillen;
    QLabel* LabelBestand;
    QTableWidget* StringGrid1;
    QLabel* PanelService;
    QPushButton *CmdAlles, *CmdGeen, *CmdOvernemen, *CmdZenden, *CmdSluiten;

    // What the window shows when it is next shown: the store's set of `kind` against `other`
    // (indexed by number), read from the controller or opened from the file `path`.
    void CompareWithDevice(TCompareKind kind, std::span<const int32_t> other);
    void CompareWithFile(TCompareKind kind, std::span<const int32_t> other, const QString& path);

    TValueComparison& Comparison() { return FComparison; }
    TCompareSendSequence& Sequence() { return FSequence; }

    // The parameter editor's sent-but-not-taken-over mark, as the service dialog sets it.
    std::function<void(bool sent)> OnParGezonden;

    void FormActivate() override;
    void CmdAllesClick();
    void CmdGeenClick();
    void CmdOvernemenClick();
    void CmdZendenClick();
    // Closing waits for the answer to an outstanding write; nothing more is sent.
    void reject() override;

private:
    void CreateControls();
    void BindSequence();
    void ApplyTexts();
    void ShowColumns();
    void FillGrid();
    void ShowCount();
    void EnableButtons();
    void StringGrid1ItemChanged(QTableWidgetItem* item);
    void ShowStatus(const QString& text, bool red);

    QHBoxLayout* FButtonRow = nullptr;
    TLBComm* FPort;
    TValueComparison FComparison;
    TCompareSendSequence FSequence;
    QString FPath;
    bool FCloseWhenStopped = false;
};
