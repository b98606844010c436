#include "assets/Assets.h"

#include <QPixmap>

namespace assets {

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/tallymere/icon%1.png").arg(size), QSize(size, size));
    return icon;
}

QCursor stopwatchCursor(qreal devicePixelRatio)
{
    const bool dense = devicePixelRatio >= 1.5;
    QPixmap picture(dense ? QStringLiteral(":/tallymere/stopwatch64.png")
                          : QStringLiteral(":/tallymere/stopwatch32.png"));
    if (dense)
        picture.setDevicePixelRatio(2.0);
    // The dial's centre (16, 18 of 32) is where the pointer points.
    return QCursor(picture, 16, 18);
}

} // namespace assets
