#pragma once
// The controller's answers to writing one parameter ("wp n value") and to taking the parameters
// over ("bp"), and what the service-parameter dialog and the parameter loader show for them.
// kq9ctl set-param reads the answers the same way.

#include "comm/CommTypes.h"

#include <QString>

#include <string>
#include <string_view>

enum class TWriteReply {
    Accepted,   // the echo "wp …" (or "ws …" for a setpoint)
    Refused,    // "er n": the controller kept its old value
    Unexpected, // anything else, or a reply too long to read
};

enum class TTakeOverReply {
    Accepted,   // "bp -1": the parameters were taken over
    Rejected,   // "bp n": parameter n is not valid, the set was not taken over
    Unexpected, // anything else: shown with what came back
};

// `reply`: the bytes as received, line end included; `echo`: the two letters of the write.
TWriteReply ClassifyWriteReply(const std::string& reply, std::string_view echo = "wp");
TTakeOverReply ClassifyTakeOverReply(const std::string& reply);
// The refusal as it stands in a refused write's reply ("er 7").
QString RefusalOf(const std::string& reply);
// The number a rejected take-over names.
QString RejectedParameterOf(const std::string& reply);

// A status panel's text and whether it shows in red.
struct TStatusText {
    QString Text;
    bool Red = false;
};

// The service dialog's texts for the answer to its write, its take-over and for a failed
// exchange (a time-out, any other communication failure). A take-over answer of no known kind
// is shown in red as the general communication error text followed by the reply.
TStatusText ServiceWriteText(const std::string& reply, std::string_view echo = "wp");
TStatusText ServiceTakeOverText(const std::string& reply);
TStatusText ServiceCommErrorText(const TCommError& error);

// The parameter loader's texts for the answer to its take-over and for a failed exchange.
TStatusText LoaderTakeOverText(const std::string& reply);
TStatusText LoaderCommErrorText(const TCommError& error);
