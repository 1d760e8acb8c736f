#include "ChildAlign.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const kAlignProperty = "custprodAlign";
}

void setChildAlign(QWidget* child, TAlign align)
{
    child->setProperty(kAlignProperty, static_cast<int>(align));
}

TAlign childAlign(const QWidget* child)
{
    const QVariant v = child->property(kAlignProperty);
    return v.isValid() ? static_cast<TAlign>(v.toInt()) : TAlign::alNone;
}

void alignChildren(QWidget* parent, const QRect& clientArea)
{
    QRect area = clientArea;
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign pass : order) {
        for (QObject* o : parent->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || w->isHidden() || childAlign(w) != pass)
                continue;
            switch (pass) {
            case TAlign::alTop:
                w->setGeometry(area.left(), area.top(), area.width(), w->height());
                area.setTop(area.top() + w->height());
                break;
            case TAlign::alBottom:
                w->setGeometry(area.left(), area.bottom() + 1 - w->height(), area.width(), w->height());
                // The child may have refitted its height to the skin.
                w->move(area.left(), area.bottom() + 1 - w->height());
                area.setBottom(area.bottom() - w->height());
                break;
            case TAlign::alLeft:
                w->setGeometry(area.left(), area.top(), w->width(), area.height());
                area.setLeft(area.left() + w->width());
                break;
            case TAlign::alRight:
                w->setGeometry(area.right() + 1 - w->width(), area.top(), w->width(), area.height());
                area.setRight(area.right() - w->width());
                break;
            case TAlign::alClient:
                w->setGeometry(area);
                break;
            case TAlign::alNone:
                break;
            }
        }
    }
}
