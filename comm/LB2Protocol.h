#pragma once
// Binary framing with header 0x82 0x96, the length byte, 0x82 doubled and an XOR checksum.
// The frame is filled byte by byte with SetFrameByte; the result holds the reply's length byte
// followed by its data.

#include "comm/LBComponent.h"

class TLB2Protocol : public TLBProtocolComponent {};
