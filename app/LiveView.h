#pragma once
// The rules of the main window's live view, apart from the widgets: which values the Actual
// group requests, how replies become panel texts, the input and output bit patterns and function
// texts, the device's error number and the status bar's texts.

#include "comm/CommTypes.h"
#include "comm/MemoryStream.h"

#include <QString>
#include <QStringList>

#include <string>

class TLBComm;

// A panel's text for a reply that is no number, and for a failed exchange.
inline const QString NotANumberText = QStringLiteral("????");
inline const QString NoReplyText = QStringLiteral("?");

// The frame summary of the port's line settings, for example "38400,E,8,1".
QString FrameSummary(const TLBComm& port);

// Whether the first four characters of a type reply name a device this program is made for.
bool IsAcceptedDeviceType(const QString& deviceType);
// The error panel's text for the value text of an "rf" reply: empty for no error ("", "-1…").
QString ErrorNumberText(const QString& valueText);
// The next state of the activity dots: one more ". ", starting again after six.
QString NextActivityDots(const QString& dots);

// Each reads only a reply that answers its `command` (ReplyAnswers): anything else is no value.
// The panel text of a numeric live value: the value text (read up to `limit` bytes) as a
// fixed-point text with the decimals code and the suffix, or "????".
QString LiveValueText(const TMemoryStream& reply, const std::string& command, size_t limit,
                      int decimals, const QString& suffix = {});
// The bit pattern of an "ri" or "ru" reply; 0 (all clear) for a reply that is no number or
// longer than the short limit.
int32_t BitPattern(const TMemoryStream& reply, const std::string& command);
// A thumbwheel reply: the value text less its first two characters; false when that is no number.
bool ThumbwheelValue(const TMemoryStream& reply, const std::string& command, int32_t& value);

// The Actual group's requests, in the order they are switched on; the analog and linearised
// ones depend on parameters 246, 388 and 226 of the store.
struct TActualRequests {
    bool LinPosition; // "r8"
    bool VoltageOut;  // "r2"
    bool CurrentOut;  // "r3"
    bool VoltageIn;   // "r4"
    bool CurrentIn;   // "r5"
};
TActualRequests ActualRequests();

// The function text of input 1 … 4 (parameters 249 … 252) and output 1 … 4 (389 … 392): the
// item of the parameter's option list indexed by its value. Both show "########" for a value
// outside the list. Only meaningful while the definitions are loaded.
QString InputFunctionText(int input);
QString OutputFunctionText(int output);
// The text of the K0 input's label, chosen by parameters 200, 201, 212 and 218.
QString K0FunctionText();
