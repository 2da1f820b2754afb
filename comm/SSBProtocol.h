#pragma once
// Binary framing DLE STX … DLE ETX with DLE doubled and an XOR block check character. The frame
// is filled byte by byte with SetFrameByte; the result holds a count byte followed by the data.

#include "comm/LBComponent.h"

class TSSBProtocol : public TLBProtocolComponent {};
