#pragma once
// The blend between a button's normal image (A) and its hot image (B) while it morphs.

#include <QImage>

// k = 0 gives A, k = 1 gives B; images of different sizes give A.
QImage morphBlend(const QImage& a, const QImage& b, double k, int morphKind);
