#pragma once
// The picture of the about window, drawn by the program itself: a controller box with its
// display, joined by its cable to a motor driving a carriage along a ball-screw axis.

#include <QPixmap>

QPixmap AboutImage(int size);
