#include "LookupResources.h"

static void initLookupResources()
{
    // The pictures live in this static library; make sure its resources are registered.
    Q_INIT_RESOURCE(lookup);
}

namespace LookupResources {

QImage picture(const QString& name)
{
    static const bool registered = [] {
        initLookupResources();
        return true;
    }();
    (void)registered;
    return QImage(QStringLiteral(":/lookup/") + name);
}

}
