#pragma once
// Windows name every control after its member, so tests and accessibility tools find it.

#include <QString>

template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
