#include "params/TypedChar.h"

#include <QKeyEvent>

QChar TypedChar(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (event.key() == Qt::Key_Backspace)
        return u'\b';
    if (!event.text().isEmpty() && event.text()[0] >= u' ')
        return event.text()[0];
    return {};
}
