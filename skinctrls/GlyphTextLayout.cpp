#include "GlyphTextLayout.h"

GlyphTextPlacement layoutGlyphAndText(const SkinRect& rect, int margin, bool downShift, QSize glyphSize,
                                      QSize textSize, TbsButtonLayout layout, int spacing)
{
    const int gw = glyphSize.width(), gh = glyphSize.height();
    const int tw = textSize.width(), th = textSize.height();
    const int cx = rect.left + rect.width() / 2;
    const int cy = rect.top + rect.height() / 2;
    int gx = 0, gy = 0, tx = 0, ty = 0;
    if (margin != -1) {
        switch (layout) {
        case TbsButtonLayout::blGlyphLeft:
            gx = rect.left + margin; gy = cy - gh / 2;
            tx = rect.left + margin + gw + spacing; ty = cy - th / 2;
            break;
        case TbsButtonLayout::blGlyphRight:
            gx = rect.right - gw - margin; gy = cy - gh / 2;
            tx = gx - spacing - tw; ty = cy - th / 2;
            break;
        case TbsButtonLayout::blGlyphTop:
            gx = cx - gw / 2; gy = rect.top + margin;
            tx = cx - tw / 2; ty = gy + gh + spacing;
            break;
        case TbsButtonLayout::blGlyphBottom:
            gx = cx - gw / 2; gy = rect.bottom - gh - margin;
            tx = cx - tw / 2; ty = gy - spacing - th;
            break;
        }
    } else {
        const int hw = (gw + tw + spacing) / 2;
        const int hh = (gh + th + spacing) / 2;
        switch (layout) {
        case TbsButtonLayout::blGlyphLeft:
            gx = cx - hw; gy = cy - gh / 2; tx = cx + hw - tw; ty = cy - th / 2;
            break;
        case TbsButtonLayout::blGlyphRight:
            gx = cx + hw - gw; gy = cy - gh / 2; tx = cx - hw; ty = cy - th / 2;
            break;
        case TbsButtonLayout::blGlyphTop:
            gx = cx - gw / 2; gy = cy - hh; tx = cx - tw / 2; ty = cy + hh - th;
            break;
        case TbsButtonLayout::blGlyphBottom:
            gx = cx - gw / 2; gy = cy + hh - gh; tx = cx - tw / 2; ty = cy - hh;
            break;
        }
    }
    if (downShift) {
        ++gx; ++gy; ++tx; ++ty;
    }
    return {QPoint(gx, gy), QPoint(tx, ty)};
}
