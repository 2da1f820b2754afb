// The calibration window's reply handlers, apart from the window: any sequence of replies to any
// of its five requests leaves every value within its range and the read-in steps among the
// calibration values' numbers.

#include "calib/CalibratieLogic.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

bool IsReadStep(int step) {
    return step == 0 ||
           std::find(CalibReadOrder.begin(), CalibReadOrder.end(), step) != CalibReadOrder.end();
}

} // namespace

KQ9_FUZZ_TARGET(calib_replies) {
    TFuzzReader input(data, size);
    TCalibratieLogic logic(nullptr);
    logic.OnValue = [](int index, int32_t value) {
        FUZZ_CHECK(index >= 0 && index < static_cast<int>(CalibValues.size()));
        const TCalibValue& def = CalibValues[static_cast<size_t>(index)];
        FUZZ_CHECK(value >= def.Minimum && value <= def.Maximum);
    };
    logic.OnDacTeachValue = [](int index, const QString&) {
        FUZZ_CHECK(index >= 0 && index < static_cast<int>(DacTeachValues.size()));
    };
    logic.OnConfirmClose = [](const QString&, const QString&) { return true; };
    logic.FormActivate();

    // Each step: the reply's handler (with the operator's buttons among them) and its bytes.
    for (int steps = 0; steps < 64 && !input.AtEnd(); ++steps) {
        const uint8_t which = input.Byte();
        const QByteArrayView bytes = input.Take(input.Byte() % 110);
        TMemoryStream reply = FuzzStream(bytes);
        switch (which % 9) {
        case 0:
            logic.LD100KalibratieCommResult(reply);
            break;
        case 1:
            logic.LD100LeesKalibratieWaardenCommResult(reply);
            break;
        case 2:
            logic.LD100Lees_DAC_TeachWaardenCommResult(reply);
            break;
        case 3:
            logic.LD100Lees_U_ADCommResult(reply);
            break;
        case 4:
            logic.LD100Lees_I_ADCommResult(reply);
            break;
        case 5:
            logic.LD100KalibratieCommError({CommCode::Timeout, 0, 0});
            break;
        case 6:
            logic.CmdAct_U_ADClick();
            break;
        case 7:
            logic.SpinEditChange(which / 9 % static_cast<int>(CalibValues.size()),
                                 static_cast<int32_t>(bytes.size()) - 50);
            break;
        case 8:
            logic.TeachPointChange(which / 9 % static_cast<int>(TeachPoints.size()),
                                   static_cast<int32_t>(bytes.size()) * 1000 - 50000);
            break;
        }
        FUZZ_CHECK(IsReadStep(logic.ReadingStep()));
    }
    logic.FormClose();
}
