#pragma once
// TFormParamService: the modal dialog in which one parameter, the one in SelPar, is edited. It
// checks the new value against the parameter's limits and stores it in the parameter store; it
// can also send that single value to the controller ("wp") and have the controller take the
// parameters over ("bp"), without a bulk write. A number is typed in an edit field whose key
// filter follows the parameter's decimals and limits; an option is chosen from a list. Escape
// closes it; there is no close box.

#include "app/ActivatedDialog.h"
#include "comm/LD100Protocol.h"

#include <functional>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpacerItem;

class TFormParamService : public TActivatedDialog {
public:
    // `port`: the main window's port, which carries the requests.
    explicit TFormParamService(TLBComm* port, QWidget* parent = nullptr);

    QLabel *LabelMin, *LabelMax, *LabelDefault, *LabelParData;
    QLabel *PanelMin, *PanelMax, *PanelDefault;
    QLineEdit* MaskEditParData;
    QComboBox* ComboParData;
    QLabel* PanelService;
    QPushButton *CmdDefault, *CmdOK, *CmdBerPar, *CmdZenden, *CmdCancel;
    TLD100Protocol LD100ZendServiceParameter;
    TLD100Protocol LD100ServiceBerPar;

    // Told when the controller accepted a single value (true) and when it answered a take-over,
    // whatever the answer (false): the parameter editor's sent-but-not-taken-over mark.
    std::function<void(bool sent)> OnParGezonden;

    // The parameter being edited, its "type", its decimals (codes 9 and 10 resolved) and the
    // number of digits allowed before the comma.
    int Nummer() const { return FNummer; }
    int ParType() const { return FType; }
    int Decimals() const { return FDecimals; }
    int DigitLimit() const { return FDigitLimit; }

    void FormActivate() override;
    // Checks the field and stores the value; false (with the red text shown) when invalid.
    bool Validate();
    void CmdOKClick();
    void CmdDefaultClick();
    void CmdZendenClick();
    void CmdBerParClick();
    void LD100ZendServiceParameterCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    void LD100ServiceBerParCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    // The error event of both components.
    void LD100ZendServiceParameterCommError(TLBProtocolComponent* sender, const TCommError& error,
                                            TMemoryStream& result);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void BindComponents(TLBComm* port);
    void ApplyTexts();
    void ShowOptionFace();
    void ShowNumberFace();
    void ShowStatus(const QString& text, bool red);
    void EnableButtons(bool enabled);
    // The edit field's key filter; true when the key was dealt with here.
    bool MaskEditParDataKeyPress(const QKeyEvent& event);

    int FNummer = -1;
    int FType = 0;
    int FDecimals = 0;
    int FDigitLimit = 0;
    bool FPortOpen = false;
    QSpacerItem* FFieldIndent = nullptr;
};
