#pragma once
// The value field of the service-parameter dialog: how many digits it takes before the comma,
// which typed characters it lets through, and the validation of its text before the value is
// stored or sent. kq9ctl set-param validates its argument with the same code.

#include <QChar>
#include <QString>

#include <cstdint>

// The longest digit text of a value, its comma removed and its decimals filled in; no sign.
constexpr int ServiceMaxDigits = 8;

// The digits of a limit's fixed-point text before its comma (all its digits without decimals);
// a "-" does not count.
int DigitCount(const QString& text, int decimals);
// The larger digit count of the two limit texts.
int DigitLimit(const QString& minText, const QString& maxText, int decimals);

// The field at the moment a character is typed.
struct TServiceField {
    QString Text;
    int Cursor = 0;
    bool Selection = false;
};

enum class TServiceKeyAction {
    Drop,         // the character is not taken
    Insert,       // Char is typed (a "." has become ",")
    PrependMinus, // the text gets a "-" in front and the caret goes to its end
};

struct TServiceKey {
    TServiceKeyAction Action = TServiceKeyAction::Drop;
    QChar Char;
};

// What typing `key` (u'\b' for backspace) does to `field`: only digits, the comma (also typed as
// a point), the minus sign and backspace pass; a comma only with decimals and only once; a minus
// only when the minimum is negative, and always in front; no more digits than the limit before
// the comma nor than the decimals after it. Text that arrives otherwise (pasted, typed over a
// selection) is left to the validation.
TServiceKey FilterServiceKey(QChar key, const TServiceField& field, int decimals, int digitLimit,
                             int32_t minimum);

enum class TServiceCheck {
    Valid,
    OutOfLimits,   // outside [minimum, maximum], no number at all, or no item chosen
    TooManyDigits, // more than ServiceMaxDigits digits, or more decimals than the parameter has
};

struct TServiceValue {
    TServiceCheck Check = TServiceCheck::Valid;
    int32_t Value = 0; // the raw value when valid
};

// The raw value of a number field's text: an empty text is 0; a leading "-" negates; the comma
// separates the decimals, which are filled up to `decimals`.
TServiceValue ValidateServiceNumber(const QString& text, int decimals, int32_t minimum,
                                    int32_t maximum);
// The value of an option parameter: the index of the chosen item (-1 for none).
TServiceValue ValidateServiceOption(int index, int optionCount);

// The red text of a failed check, from the dialog's texts ("PanelTekst2", "PanelTekst3").
QString ServiceCheckText(TServiceCheck check);
