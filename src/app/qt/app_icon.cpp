#include "app/qt/app_icon.h"

#include <QString>

// Resources compiled into a static library register only when asked; the macro needs the
// global namespace.
static void RegisterIconResource() {
    Q_INIT_RESOURCE(vorlin_gui);
}

namespace vorlin {

QIcon AppIcon() {
    RegisterIconResource();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/vorlin-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace vorlin
