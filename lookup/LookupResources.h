#pragma once
// The pictures this library keeps as program resources (":/lookup/<NAME>"): the grid's
// indicator pictures and background, and the lookup dialog's button pictures.

#include <QImage>
#include <QString>

namespace LookupResources {

QImage picture(const QString& name);

}
