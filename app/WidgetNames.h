#pragma once
// Controls carry their own name as object name, so tests and accessibility tools find them, and
// an accessible name that says what they show.

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
