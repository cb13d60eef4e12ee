#pragma once

#include <QPixmap>
#include <QSize>

namespace qv {

// The picture at the top right of the window: a toggle switch and a gear
// light beside the program's initials.
QPixmap drawLogo(QSize size);

}  // namespace qv
