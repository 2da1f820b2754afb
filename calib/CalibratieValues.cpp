#include "calib/CalibratieValues.h"

int CalibValueIndex(int number) {
    for (size_t i = 0; i < CalibValues.size(); ++i) {
        if (CalibValues[i].Number == number)
            return static_cast<int>(i);
    }
    return -1;
}

int32_t TeachCommandValue(int index, int32_t value) {
    // Integer division truncates toward zero: -3 is sent as -1.
    return TeachPoints[static_cast<size_t>(index)].Current ? value / 2 : value;
}
