#include "params/ParamServiceInput.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"

#include <algorithm>

namespace {

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Rule of the digit limits for a character typed with nothing selected.
bool ExceedsDigits(QChar key, const TServiceField& field, int decimals, int digitLimit) {
    if (key == u'\b')
        return false;
    QString digits = field.Text;
    digits.remove(u'-');
    qsizetype comma = digits.indexOf(u',');
    if (comma < 0)
        return key != u',' && digits.size() >= digitLimit;
    bool beforeComma = field.Cursor <= field.Text.indexOf(u',');
    if (beforeComma)
        return comma >= digitLimit;
    return digits.size() - comma - 1 >= decimals;
}

} // namespace

int DigitCount(const QString& text, int decimals) {
    QString digits = text;
    digits.remove(u'-');
    qsizetype comma = decimals > 0 ? digits.indexOf(u',') : -1;
    return static_cast<int>(comma < 0 ? digits.size() : comma);
}

int DigitLimit(const QString& minText, const QString& maxText, int decimals) {
    return std::max(DigitCount(minText, decimals), DigitCount(maxText, decimals));
}

TServiceKey FilterServiceKey(QChar key, const TServiceField& field, int decimals, int digitLimit,
                             int32_t minimum) {
    const TServiceKey drop;
    if (key == u'.')
        key = u',';
    if (key != u'\b' && key != u',' && key != u'-' && !IsDigit(key))
        return drop;
    bool hasMinus = field.Text.contains(u'-');
    if (key == u',' && (decimals <= 0 || field.Text.contains(u',')))
        return drop;
    if (key == u'-' && (minimum >= 0 || (hasMinus && !field.Selection)))
        return drop;
    if (hasMinus && field.Cursor == 0 && !field.Selection)
        return drop;
    if (key == u'-' && field.Cursor != 0) {
        // The sign always stands in front; a text that has one already keeps it single.
        if (hasMinus)
            return drop;
        return {TServiceKeyAction::PrependMinus, key};
    }
    if (!field.Selection && ExceedsDigits(key, field, decimals, digitLimit))
        return drop;
    return {TServiceKeyAction::Insert, key};
}

TServiceValue ValidateServiceNumber(const QString& text, int decimals, int32_t minimum,
                                    int32_t maximum) {
    const TServiceValue outOfLimits{TServiceCheck::OutOfLimits, 0};
    const TServiceValue tooManyDigits{TServiceCheck::TooManyDigits, 0};
    decimals = std::max(decimals, 0);
    QString digits = text.isEmpty() ? QStringLiteral("0") : text;
    bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);

    // Digits, at most one comma between them, and nothing else: the field's filter lets only
    // these through, but pasted text arrives unfiltered.
    qsizetype comma = digits.indexOf(u',');
    QString whole = comma < 0 ? digits : digits.left(comma);
    QString fraction = comma < 0 ? QString() : digits.mid(comma + 1);
    if (!AllDigits(whole) || !AllDigits(fraction) || (whole.isEmpty() && fraction.isEmpty()) ||
        (comma >= 0 && decimals == 0))
        return outOfLimits;
    if (fraction.size() > decimals || whole.size() + decimals > ServiceMaxDigits)
        return tooManyDigits;

    int32_t value = (whole + fraction + QString(decimals - fraction.size(), u'0')).toInt();
    if (negative)
        value = -value;
    if (value < minimum || value > maximum)
        return outOfLimits;
    return {TServiceCheck::Valid, value};
}

TServiceValue ValidateServiceOption(int index, int optionCount) {
    if (index < 0 || index >= optionCount)
        return {TServiceCheck::OutOfLimits, 0};
    return {TServiceCheck::Valid, index};
}

QString ServiceCheckText(TServiceCheck check) {
    switch (check) {
    case TServiceCheck::Valid:
        break;
    case TServiceCheck::OutOfLimits:
        return Tekst(TextKey::ParamService::PanelTekst2);
    case TServiceCheck::TooManyDigits:
        return Tekst(TextKey::ParamService::PanelTekst3);
    }
    return {};
}
