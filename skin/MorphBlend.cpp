#include "MorphBlend.h"

#include "TbsEffectBmp.h"

QImage morphBlend(const QImage& a, const QImage& b, double k, int morphKind)
{
    if (a.size() != b.size())
        return a;
    TbsEffectBmp blended(a);
    // Numbers the skin does not know blend like "mkdefault", as the skin reader maps them.
    blended.Morph(static_cast<TbsMorphKind>(morphKind), TbsEffectBmp(b), k);
    return blended.toImage();
}
