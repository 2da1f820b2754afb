#include "comm/ParmrkDecoder.h"

#include "comm/SerialDevice.h"

void TParmrkDecoder::Feed(const uint8_t* data, size_t count, bool parityEnabled) {
    for (size_t i = 0; i < count; ++i) {
        uint8_t byte = data[i];
        switch (FState) {
        case TState::Normal:
            if (byte == 0xFF)
                FState = TState::AfterFF;
            else
                FBytes.push_back(byte);
            break;
        case TState::AfterFF:
            if (byte == 0x00) {
                FState = TState::AfterFF00;
            } else {
                // "FF FF" is a literal 0xFF; anything else after FF is taken as it came.
                if (byte != 0xFF)
                    FBytes.push_back(0xFF);
                FBytes.push_back(byte);
                FState = TState::Normal;
            }
            break;
        case TState::AfterFF00:
            if (byte == 0x00) {
                FErrors |= CE_BREAK;
            } else {
                FErrors |= parityEnabled ? CE_RXPARITY : CE_FRAME;
                FBytes.push_back(byte);
            }
            FState = TState::Normal;
            break;
        }
    }
}

uint32_t TParmrkDecoder::TakeErrors() {
    uint32_t errors = FErrors;
    FErrors = 0;
    return errors;
}

void TParmrkDecoder::Clear() {
    FBytes.clear();
    FState = TState::Normal;
}
