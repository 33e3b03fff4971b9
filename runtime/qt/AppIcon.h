#pragma once

#include <QIcon>
#include <QImage>

namespace rt
{

// The program's icon: four coloured bars that ascend from the shortest at the
// top, the picture of a sorted board. Drawn rather than loaded, so that
// start-up needs no image decoder plugins.
QImage appIconImage(int size);

// The icon in the sizes that window systems, docks and software centres pick
// from, up to 128 px for HiDPI screens; the same sizes are installed.
QIcon appIcon();

inline constexpr int kAppIconSizes[] = { 16, 32, 48, 64, 128 };

} // namespace rt
