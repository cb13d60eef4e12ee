#pragma once

#include <QIcon>
#include <QImage>

namespace qv {

// The window's logo on a transparent square of size x size pixels: the
// desktop's icons and the window's own.
QImage logoSquare(int size);

// The logo at the sizes a task bar and a window switcher ask for.
QIcon logoIcon();

}  // namespace qv
