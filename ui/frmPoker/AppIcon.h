#pragma once

#include <QIcon>
#include <QImage>

namespace corvanta {

// The game's icon, a small playing card, drawn at 16 x 16 and the larger sizes desktops ask for.
QImage AppIconImage(int size);
QIcon AppIcon();

} // namespace corvanta
