#include "app/Functies.h"

#include "params/ParamStore.h"

#include <algorithm>

namespace {

// A corrupted decimals parameter must not make a text of millions of zeros; no scaled 32-bit
// value needs more decimals than this.
constexpr int MaxDecimals = 32;

// The longest digit text FixedTextToInt converts, sign included.
constexpr qsizetype MaxFixedLength = 9;

} // namespace

int ResolvedDecimals(int decimals) {
    const auto& parData = ParamStore().ParData;
    if (decimals == DecimalsOfPosition)
        decimals = parData[203];
    if (decimals == DecimalsOfLinPosition)
        decimals = parData[248];
    return decimals;
}

QString IntToFixedText(int decimals, int32_t value) {
    decimals = ResolvedDecimals(decimals);
    if (decimals <= 0)
        return QString::number(value);
    decimals = std::min(decimals, MaxDecimals);

    // Through 64 bits, so that the lowest 32-bit value has an absolute value too.
    QString digits = QString::number(value < 0 ? -static_cast<int64_t>(value) : value);
    if (digits.size() < decimals + 1)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    digits.insert(digits.size() - decimals, u',');
    if (value < 0)
        digits.prepend(u'-');
    return digits;
}

int32_t FixedTextToInt(const QString& text, int decimals, bool signAllowed, int32_t minimum,
                       int32_t maximum) {
    if (text.isEmpty() || text == u"," || text == u"-")
        return FixedTextFormatError;
    for (QChar c : text)
        if ((c < u'0' || c > u'9') && c != u',' && c != u'-')
            return FixedTextFormatError;

    qsizetype comma = text.indexOf(u',');
    qsizetype commaCount = text.count(u',');
    if (decimals == 0 && commaCount > 0)
        return FixedTextFormatError;
    if (commaCount > 1)
        return FixedTextFormatError;
    qsizetype afterComma = comma < 0 ? 0 : text.size() - comma - 1;
    if (comma >= 0 && afterComma > decimals)
        return FixedTextFormatError;

    qsizetype minusCount = text.count(u'-');
    if (minusCount > 0 && (!signAllowed || minusCount > 1 || !text.startsWith(u'-')))
        return FixedTextFormatError;

    // The text without its comma, padded with the missing decimals; the length is checked before
    // the zeros are appended, so a huge decimals count costs nothing.
    QString digits = text;
    if (comma >= 0)
        digits.remove(comma, 1);
    qsizetype padding = decimals > 0 ? decimals - afterComma : 0;
    if (digits.size() + padding > MaxFixedLength)
        return FixedTextFormatError;
    digits += QString(padding, u'0');

    int32_t value = digits.toInt();
    if (value < minimum || value > maximum)
        return FixedTextRangeError;
    return value;
}
