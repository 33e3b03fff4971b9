#pragma once

#include <QIcon>
#include <QImage>

namespace rt
{

// The program's icon: four coloured bars that ascend from the shortest at the
// top, the picture of a sorted board. Drawn rather than loaded, so that
// start-up needs no image decoder plugins.
QImage appIconImage(int size);

// The icon in the three sizes the window system picks from: 16, 32 and 48 px.
QIcon appIcon();

inline constexpr int kAppIconSizes[] = { 16, 32, 48 };

} // namespace rt
