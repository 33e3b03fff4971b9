#include "AppIcon.h"

#include "runtime/AppIconDesign.h"

#include <QPainter>

namespace rt
{

QImage appIconImage(int size)
{
    const int unit = size / kAppIconGrid;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const IconBar& bar : kAppIconBars)
        painter.fillRect(
            bar.left * unit, bar.top * unit, bar.width * unit, bar.height * unit, QColor::fromRgb(bar.rgb));
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

} // namespace rt
