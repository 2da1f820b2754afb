// Typed values: the service-parameter dialog's key filter and validation, and the setpoint
// grid's. Whatever is typed, the filters leave a text of the field's shape, and a value the
// validation takes lies within its limits and reads the same as a fixed-point text.

#include "app/Functies.h"
#include "app/TextFile.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/ParamServiceInput.h"
#include "params/ParamStore.h"
#include "params/SollGridRules.h"

#include <algorithm>

namespace {

// Moves of the caret among the typed characters, as the arrow, Home and End keys make them.
constexpr char16_t CaretLeft = 0x01, CaretRight = 0x02, CaretHome = 0x03, CaretEnd = 0x04;

bool MovesCaret(QChar key, TServiceField& field) {
    switch (key.unicode()) {
    case CaretLeft:
        field.Cursor = std::max(field.Cursor - 1, 0);
        return true;
    case CaretRight:
        field.Cursor = std::min(field.Cursor + 1, static_cast<int>(field.Text.size()));
        return true;
    case CaretHome:
        field.Cursor = 0;
        return true;
    case CaretEnd:
        field.Cursor = static_cast<int>(field.Text.size());
        return true;
    }
    return false;
}

void Type(TServiceField& field, const TServiceKey& key) {
    switch (key.Action) {
    case TServiceKeyAction::Drop:
        return;
    case TServiceKeyAction::PrependMinus:
        field.Text.prepend(u'-');
        field.Cursor = static_cast<int>(field.Text.size());
        return;
    case TServiceKeyAction::Insert:
        if (key.Char == u'\b') {
            if (field.Cursor > 0)
                field.Text.remove(--field.Cursor, 1);
        } else {
            field.Text.insert(field.Cursor++, key.Char);
        }
        return;
    }
}

// Digits, at most one comma (only with decimals), a minus only in front (only when the minimum
// lets a value be negative).
void CheckShape(const QString& text, int decimals, bool minusAllowed) {
    for (QChar c : text)
        FUZZ_CHECK((c >= u'0' && c <= u'9') || c == u',' || c == u'-');
    FUZZ_CHECK(text.count(u',') <= (decimals > 0 ? 1 : 0));
    FUZZ_CHECK(text.count(u'-') <= (minusAllowed ? 1 : 0));
    FUZZ_CHECK(text.indexOf(u'-') <= 0);
}

void CheckServiceField(const QString& keys, int decimals, int32_t minimum, int32_t maximum) {
    const int digitLimit =
        DigitLimit(IntToFixedText(decimals, minimum), IntToFixedText(decimals, maximum), decimals);
    TServiceField field;
    for (QChar key : keys) {
        if (!MovesCaret(key, field))
            Type(field, FilterServiceKey(key, field, decimals, digitLimit, minimum));
        FUZZ_CHECK(field.Cursor >= 0 && field.Cursor <= field.Text.size());
    }
    CheckShape(field.Text, decimals, minimum < 0);

    for (const QString& text : {field.Text, keys}) {
        const TServiceValue checked = ValidateServiceNumber(text, decimals, minimum, maximum);
        if (checked.Check != TServiceCheck::Valid)
            continue;
        FUZZ_CHECK(checked.Value >= minimum && checked.Value <= maximum);
        if (!text.isEmpty())
            FUZZ_CHECK(FixedTextToInt(text, decimals, true, minimum, maximum) == checked.Value);
    }
}

void CheckSetpointCell(const QString& keys) {
    QString kept;
    for (QChar key : keys) {
        std::optional<QChar> typed = FilterSollKey(key, kept);
        if (!typed || *typed == u'\r')
            continue;
        if (*typed == u'\b')
            kept.chop(1);
        else
            kept += *typed;
    }
    const int decimals = ParamStore().ParData[203];
    FUZZ_CHECK(kept.count(u',') <= (decimals > 0 ? 1 : 0) && kept.count(u'-') <= 1);
    for (const QString& text : {kept, keys})
        if (std::optional<int32_t> value = SollTextToValue(text))
            FUZZ_CHECK(*value >= SollMinimum && *value <= SollMaximum);
}

} // namespace

KQ9_FUZZ_TARGET(service_value) {
    TFuzzReader input(data, size);
    const int decimals = input.Byte() % 9;
    const int32_t minimum = input.Int32();
    const int32_t maximum = input.Int32();
    ParamStore().ParData[203] = static_cast<int8_t>(input.Byte());
    const QString keys = DecodeText(input.Rest());
    CheckServiceField(keys, decimals, minimum, maximum);
    CheckSetpointCell(keys);
    ParamStore().ParData[203] = 0;
}
