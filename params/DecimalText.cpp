#include "params/DecimalText.h"

#include <limits>

bool DecimalTextToInt(QStringView text, int32_t& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Accumulated as a negative number, whose range includes the 32-bit minimum.
    constexpr int64_t Min = std::numeric_limits<int32_t>::min();
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        result = result * 10 - (c - u'0');
        if (result < Min)
            return false;
    }
    if (!negative && -result > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(negative ? result : -result);
    return true;
}
