#pragma once
// Controls carry their own name as object name, so tests and accessibility tools find them, and
// an accessible name that says what they show, or for a value a description of the quantity.

#include <QString>
#include <QWidget>

#include <type_traits>

template <typename T> T* Named(T* object, const char* name, const QString& accessibleName = {}) {
    object->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QWidget, T>) {
        if (!accessibleName.isEmpty())
            object->setAccessibleName(accessibleName);
    }
    return object;
}

// A control that shows a value, such as a panel: it gets no accessible name of its own, so that
// its text, the value, is what a screen reader reads; the description says which quantity it is.
template <typename T> T* NamedValue(T* object, const char* name, const QString& quantity) {
    Named(object, name);
    object->setAccessibleDescription(quantity);
    return object;
}
