#include "ProgramBitmaps.h"

#include <QString>

static void initCalendarResources()
{
    Q_INIT_RESOURCE(calendar);
}

QImage programBitmap(const char* name)
{
    static const bool initialised = (initCalendarResources(), true);
    (void)initialised;
    return QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(QLatin1String(name)));
}
