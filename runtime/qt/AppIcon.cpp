#include "AppIcon.h"

#include <QPainter>

namespace rt
{

QImage appIconImage(int size)
{
    static constexpr QRgb kColours[] = { 0xe4572e, 0xf3a712, 0x4caf50, 0x2e86de };
    const int unit = size / 16; // the design is on a 16 x 16 grid
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int i = 0; i < 4; ++i)
        painter.fillRect(unit, (4 * i + 1) * unit, (4 + 3 * i) * unit, 3 * unit, QColor::fromRgb(kColours[i]));
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
