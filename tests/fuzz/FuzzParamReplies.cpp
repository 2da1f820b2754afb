// The answers to writing one value and to taking the parameters over, as the service dialog,
// the parameter loader, the compare window and kq9ctl read them, and the calibration window's
// reading of a reply into code, key and value.

#include "calib/CalibratieLogic.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/SingleParamReplies.h"

#include <string_view>

KQ9_FUZZ_TARGET(param_replies) {
    TFuzzReader input(data, size);
    const TCommError error{input.Int32(), input.Int32(), input.Int32()};
    const QByteArrayView bytes = input.Rest();
    const std::string reply(bytes.data(), static_cast<size_t>(bytes.size()));

    // A parameter's write is echoed "wp …", a setpoint's (from the compare window) "ws …".
    for (const std::string_view echo : {"wp", "ws"}) {
        switch (ClassifyWriteReply(reply, echo)) {
        case TWriteReply::Accepted:
            FUZZ_CHECK(reply.starts_with(echo) && !ServiceWriteText(reply, echo).Red);
            break;
        case TWriteReply::Refused:
            FUZZ_CHECK(reply.starts_with("er ") && !RefusalOf(reply).isEmpty());
            FUZZ_CHECK(ServiceWriteText(reply, echo).Red);
            break;
        case TWriteReply::Unexpected:
            FUZZ_CHECK(ServiceWriteText(reply, echo).Red);
            break;
        }
    }
    const TTakeOverReply takeOver = ClassifyTakeOverReply(reply);
    if (takeOver == TTakeOverReply::Rejected)
        FUZZ_CHECK(!RejectedParameterOf(reply).isEmpty());
    const bool accepted = takeOver == TTakeOverReply::Accepted;
    FUZZ_CHECK(ServiceTakeOverText(reply).Red == !accepted);
    FUZZ_CHECK(LoaderTakeOverText(reply).Red == !accepted);
    FUZZ_CHECK(ServiceCommErrorText(error).Red && LoaderCommErrorText(error).Red);

    TMemoryStream stream = FuzzStream(bytes);
    const TCalibReply calib = ReadCalibReply(stream);
    FUZZ_CHECK(calib.Text.size() <= 98);
    FUZZ_CHECK(calib.Code == calib.Text.left(2));
    FUZZ_CHECK(calib.Text.mid(3).startsWith(calib.Key) && calib.Text.endsWith(calib.Value));
}
