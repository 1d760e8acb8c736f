#pragma once
// Bitmaps among the program's own resources, by name ("BS_PRIORMONTH" ...).

#include <QImage>

// A null image for a name that is not among the resources.
QImage programBitmap(const char* name);
