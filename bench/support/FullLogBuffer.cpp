#include "support/FullLogBuffer.h"

TLogBuffer FullLogBuffer() {
    TLogBuffer buffer;
    buffer.Clear();
    for (int i = 0; i < LogSlotCount; ++i) {
        buffer.Times[i] = i * 60;
        buffer.Values[i] = (i % 200) * 500 - 50000;
        buffer.Read[i] = true;
    }
    buffer.Newest = LogLastSlot;
    buffer.Count = LogSlotCount;
    return buffer;
}
