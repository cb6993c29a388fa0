#pragma once

#include <QIcon>
#include <QImage>

namespace corvanta {

// The game's icon, a small playing card, drawn at `size` x `size`. The PNGs installed in the
// desktop's icon theme are drawn by it too.
QImage AppIconImage(int size);

// The icon theme's icon named by the application's desktop file name (the app id, which names
// the .desktop entry and its icon alike) when the game is installed; otherwise AppIconImage,
// painted at a size only when that size is first asked for.
QIcon AppIcon();

} // namespace corvanta
