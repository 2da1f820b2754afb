#pragma once
// What a user who may not open a serial device (EACCES) is told besides the system's text: which
// group owns the device and how to join it, in the user's language. Serial devices belong to a
// group (dialout on Debian) whose members may use them; a new user is rarely in it.

#include <QString>

// The advice for `devicePath`: the group sentence when the device's group may read and write
// it, else the owner sentence; empty when the device cannot be looked at.
QString PortAccessAdvice(const QString& devicePath);

// Makes every port of this process add PortAccessAdvice to the message of an open refused with
// EACCES. Called once at program start.
void InstallPortAccessAdvice();
