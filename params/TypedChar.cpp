#include "params/TypedChar.h"

#include <QKeyEvent>

QChar TypedChar(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (event.key() == Qt::Key_Backspace)
        return u'\b';
    // Delete arrives with the text U+007F, other editing keys with control characters: none of
    // them is typed into the field.
    const QString text = event.text();
    if (!text.isEmpty() && text[0].category() != QChar::Other_Control)
        return text[0];
    return {};
}
